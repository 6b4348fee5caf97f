#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "platform/types.h"

namespace kvz::platform {

class IShell {
 public:
  virtual ~IShell() = default;
  // ShellExecuteA. `parameters` absent means no parameter string at all.
  // Returns the shell's result (above 32 is success).
  virtual std::intptr_t Execute(WindowHandle owner, const std::string& verb,
                                const std::string& file,
                                const std::optional<std::string>& parameters,
                                const std::string& directory, int showCommand) = 0;
  // Opens like Execute, then waits at most timeoutMs for the started process
  // to end while the caller's windows keep painting. True when it ended in time.
  virtual bool ExecuteAndWait(WindowHandle owner, const std::string& verb, const std::string& file,
                              const std::optional<std::string>& parameters,
                              const std::string& directory, int showCommand,
                              std::uint32_t timeoutMs) = 0;
};

}  // namespace kvz::platform
