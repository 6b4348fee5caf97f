#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "platform/shell.h"

namespace kvz::platform::win32 {

// The shell on the real API. Texts go to the ANSI entry points as they are
// (GBK bytes on the machines this client is made for).
class Win32Shell : public IShell {
 public:
  std::intptr_t Execute(WindowHandle owner, const std::string& verb, const std::string& file,
                        const std::optional<std::string>& parameters, const std::string& directory,
                        int showCommand) override;

  // ShellExecuteExA, then a wait on the started process that lets only paint
  // messages (and messages sent by other threads) through, so the windows stay
  // drawn but no user command runs in the middle. When the shell hands back no
  // process (a DDE or COM handler served the request), the whole bound is
  // waited out and the call answers true: that is all that can be known.
  bool ExecuteAndWait(WindowHandle owner, const std::string& verb, const std::string& file,
                      const std::optional<std::string>& parameters, const std::string& directory,
                      int showCommand, std::uint32_t timeoutMs) override;
};

}  // namespace kvz::platform::win32
