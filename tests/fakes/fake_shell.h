#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace kvz::fakes {

// Records every shell call; `onExecute` lets a test act as the started program.
class FakeShell : public platform::IShell {
 public:
  struct Call {
    platform::WindowHandle owner;
    std::string verb, file;
    std::optional<std::string> parameters;
    std::string directory;
    int show;
    bool waited;
    std::uint32_t timeoutMs;
  };
  std::vector<Call> calls;
  std::function<void(const Call&)> onExecute;
  std::intptr_t result = 42;
  bool waitEndsInTime = true;

  std::intptr_t Execute(platform::WindowHandle owner, const std::string& verb,
                        const std::string& file, const std::optional<std::string>& parameters,
                        const std::string& directory, int show) override {
    Record({owner, verb, file, parameters, directory, show, false, 0});
    return result;
  }
  bool ExecuteAndWait(platform::WindowHandle owner, const std::string& verb,
                      const std::string& file, const std::optional<std::string>& parameters,
                      const std::string& directory, int show, std::uint32_t timeoutMs) override {
    Record({owner, verb, file, parameters, directory, show, true, timeoutMs});
    return waitEndsInTime;
  }

 private:
  void Record(const Call& call) {
    calls.push_back(call);
    if (onExecute) onExecute(call);
  }
};

}  // namespace kvz::fakes
