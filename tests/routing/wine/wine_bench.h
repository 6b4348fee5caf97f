#pragma once
#include <map>
#include <string>
#include <vector>

namespace kvz::testing {

// One private Wine prefix for a whole test program, with the routing
// stand-ins in its system32, code page 936 and a virtual display.
class WineBench {
 public:
  // Creates the prefix on first use; fails the calling test when Wine or the
  // Windows build is missing.
  static WineBench& Get();
  // Ends every process of the prefix and the display.
  static void ShutDown();

  struct Result {
    bool ended = false;  // false: killed at the bound
    int exitCode = -1;
    std::string output;  // standard output
    std::string errors;  // standard error
  };
  // Runs a Windows program (with arguments) under Wine and waits at most
  // timeoutMs for it. `env` is added to this process's environment.
  Result Run(const std::vector<std::string>& args, const std::map<std::string, std::string>& env,
             int timeoutMs);
  // Starts it without waiting; Wait() collects it.
  int Start(const std::vector<std::string>& args, const std::map<std::string, std::string>& env);
  Result Wait(int pid, int timeoutMs);

  const std::string& DriveC() const { return driveC_; }
  // A Windows path (Z:\...) for a host path.
  static std::string ZPath(const std::string& hostPath);

 private:
  WineBench() = default;
  void SetUp();
  void ShutDownNow();

  std::string wine_, wineserver_, winBuild_, workDir_, prefix_, driveC_, localePath_, display_;
  int xvfbPid_ = -1;
  int xvfbNumberPipe_ = -1;
  std::map<int, std::string> outputs_;
  int runs_ = 0;
};

}  // namespace kvz::testing
