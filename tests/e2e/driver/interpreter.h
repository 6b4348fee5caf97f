#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "script.h"

namespace kvz::driver {

enum class Outcome { kOk, kFailed, kScriptError };

// Runs script commands against the windows of other processes. A current
// top-level window (set by `window` or `msgbox`) and a current control (set
// by `control`) are the targets of the other commands.
class Interpreter {
 public:
  Outcome Run(const Command& command);

 private:
  using Getter = std::function<std::optional<std::wstring>()>;

  Outcome Window(const Command& c);
  Outcome Control(const Command& c);
  Outcome MessageBox(const Command& c);
  Outcome MessageBoxOk(const Command& c);
  Outcome SetText(const Command& c);
  Outcome Click(const Command& c);
  Outcome SendCommand(const Command& c);
  Outcome Tray(const Command& c);
  Outcome Repaint(const Command& c);
  Outcome Idle(const Command& c);
  Outcome Print(const Command& c);
  Outcome Expect(const Command& c);
  // Polls until the getter gives `expected` or the timeout passes.
  Outcome WaitFor(const Command& c, const Getter& actual, const std::wstring& expected,
                  bool contains);

  Outcome Fail(const Command& c, const std::wstring& why);
  Outcome Error(const Command& c, const std::wstring& why);
  bool NeedWindow(const Command& c, Outcome* outcome);
  bool NeedControl(const Command& c, Outcome* outcome);

  HWND window_ = nullptr;
  HWND control_ = nullptr;
};

// Writes one UTF-8 line to stdout.
void PrintLine(const std::wstring& line);

}  // namespace kvz::driver
