#include "platform/win32/win32_shell.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "platform/win32/win32_paint_wait.h"

namespace kvz::platform::win32 {
namespace {

const char* OptionalText(const std::optional<std::string>& text) {
  return text ? text->c_str() : nullptr;
}

}  // namespace

std::intptr_t Win32Shell::Execute(WindowHandle owner, const std::string& verb,
                                  const std::string& file,
                                  const std::optional<std::string>& parameters,
                                  const std::string& directory, int showCommand) {
  HINSTANCE result = ShellExecuteA(reinterpret_cast<HWND>(owner), verb.c_str(), file.c_str(),
                                   OptionalText(parameters), directory.c_str(), showCommand);
  return reinterpret_cast<std::intptr_t>(result);
}

bool Win32Shell::ExecuteAndWait(WindowHandle owner, const std::string& verb,
                                const std::string& file,
                                const std::optional<std::string>& parameters,
                                const std::string& directory, int showCommand,
                                std::uint32_t timeoutMs) {
  SHELLEXECUTEINFOA info = {};
  info.cbSize = sizeof info;
  // No error boxes: a failure here is the caller's to handle, silently.
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.hwnd = reinterpret_cast<HWND>(owner);
  info.lpVerb = verb.c_str();
  info.lpFile = file.c_str();
  info.lpParameters = OptionalText(parameters);
  info.lpDirectory = directory.c_str();
  info.nShow = showCommand;
  if (!ShellExecuteExA(&info)) return false;

  if (info.hProcess == nullptr) {
    WaitWhilePainting(nullptr, timeoutMs);
    return true;
  }
  const bool ended = WaitWhilePainting(info.hProcess, timeoutMs);
  CloseHandle(info.hProcess);
  return ended;
}

}  // namespace kvz::platform::win32
