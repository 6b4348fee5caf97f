#include "interpreter.h"

#include <cwchar>
#include <initializer_list>

#include "polling.h"
#include "window_query.h"

namespace kvz::driver {

namespace {

constexpr int kMessageBoxTextId = 0xFFFF;

bool OnlyOptions(const Command& c, std::initializer_list<const wchar_t*> allowed,
                 std::wstring* bad) {
  for (const auto& [key, value] : c.options) {
    bool known = false;
    for (const wchar_t* name : allowed) known = known || key == name;
    if (!known) {
      *bad = key;
      return false;
    }
  }
  return true;
}

std::optional<int> Number(const std::wstring& text) {
  if (text.empty()) return std::nullopt;
  wchar_t* end = nullptr;
  long value = std::wcstol(text.c_str(), &end, 0);
  if (end == nullptr || *end != L'\0') return std::nullopt;
  return static_cast<int>(value);
}

// class, text/title, text~/title~, id, index, visible, password.
bool QueryFrom(const Command& c, const wchar_t* textKey, const wchar_t* containsKey,
               WindowQuery* query, std::wstring* bad) {
  for (const auto& [key, value] : c.options) {
    if (key == L"class") {
      query->className = value;
    } else if (key == textKey) {
      query->text = value;
    } else if (key == containsKey) {
      query->textContains = value;
    } else if (key == L"id" || key == L"index" || key == L"visible" || key == L"password") {
      auto n = Number(value);
      if (!n) {
        *bad = key + L"=" + value;
        return false;
      }
      if (key == L"id") query->id = *n;
      if (key == L"index") query->index = *n;
      if (key == L"visible") query->visibleOnly = *n != 0;
      if (key == L"password") query->password = *n != 0;
    } else if (key != L"timeout") {
      *bad = key;
      return false;
    }
  }
  return true;
}

std::wstring Hex(HWND window) {
  wchar_t text[32];
  std::swprintf(text, 32, L"0x%llx", static_cast<unsigned long long>(
                                         reinterpret_cast<std::uintptr_t>(window)));
  return text;
}

std::wstring Describe(HWND window) {
  return Hex(window) + L" class=\"" + ClassOf(window) + L"\" text=\"" +
         TextOf(window).value_or(L"") + L"\" id=" + std::to_wstring(GetDlgCtrlID(window));
}

std::optional<std::wstring> MessageBoxText(HWND box) {
  if (HWND text = GetDlgItem(box, kMessageBoxTextId)) return TextOf(text);
  for (HWND child : Descendants(box)) {
    auto text = TextOf(child);
    if (text && !text->empty() && lstrcmpiW(ClassOf(child).c_str(), L"Static") == 0) return text;
  }
  return std::nullopt;
}

struct MouseMessage {
  const wchar_t* name;
  UINT message;
};

constexpr MouseMessage kMouseMessages[] = {
    {L"mousemove", WM_MOUSEMOVE},         {L"lbuttondown", WM_LBUTTONDOWN},
    {L"lbuttonup", WM_LBUTTONUP},         {L"lbuttondblclk", WM_LBUTTONDBLCLK},
    {L"rbuttondown", WM_RBUTTONDOWN},     {L"rbuttonup", WM_RBUTTONUP},
    {L"rbuttondblclk", WM_RBUTTONDBLCLK},
};

}  // namespace

void PrintLine(const std::wstring& line) {
  std::string bytes = Utf8FromWide(line) + "\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()),
            &written, nullptr);
}

Outcome Interpreter::Run(const Command& c) {
  if (c.name.empty()) return Outcome::kOk;
  if (c.name == L"window") return Window(c);
  if (c.name == L"control") return Control(c);
  if (c.name == L"msgbox") return MessageBox(c);
  if (c.name == L"msgbox-ok") return MessageBoxOk(c);
  if (c.name == L"settext") return SetText(c);
  if (c.name == L"click") return Click(c);
  if (c.name == L"command") return SendCommand(c);
  if (c.name == L"tray") return Tray(c);
  if (c.name == L"repaint") return Repaint(c);
  if (c.name == L"idle") return Idle(c);
  if (c.name == L"print") return Print(c);
  if (c.name == L"expect") return Expect(c);
  return Error(c, L"unknown command");
}

Outcome Interpreter::Fail(const Command& c, const std::wstring& why) {
  PrintLine(L"FAIL line " + std::to_wstring(c.line) + L": " + WideFromUtf8(c.source) + L": " +
            why);
  return Outcome::kFailed;
}

Outcome Interpreter::Error(const Command& c, const std::wstring& why) {
  PrintLine(L"ERROR line " + std::to_wstring(c.line) + L": " + WideFromUtf8(c.source) + L": " +
            why);
  return Outcome::kScriptError;
}

bool Interpreter::NeedWindow(const Command& c, Outcome* outcome) {
  if (window_ != nullptr) return true;
  *outcome = Error(c, L"no window chosen (use `window` first)");
  return false;
}

bool Interpreter::NeedControl(const Command& c, Outcome* outcome) {
  if (control_ != nullptr) return true;
  *outcome = Error(c, L"no control chosen (use `control` first)");
  return false;
}

Outcome Interpreter::Window(const Command& c) {
  WindowQuery query;
  std::wstring bad;
  if (!QueryFrom(c, L"title", L"title~", &query, &bad)) return Error(c, L"bad option " + bad);
  if (!c.words.empty()) return Error(c, L"unexpected word " + c.words[0]);
  HWND found = nullptr;
  if (!Poll(TimeoutOf(c), [&] { return (found = FindTopLevel(query)) != nullptr; })) {
    return Fail(c, L"no such window");
  }
  window_ = found;
  control_ = nullptr;
  PrintLine(L"window: " + Describe(found));
  return Outcome::kOk;
}

Outcome Interpreter::Control(const Command& c) {
  Outcome outcome;
  if (!NeedWindow(c, &outcome)) return outcome;
  WindowQuery query;
  std::wstring bad;
  if (!QueryFrom(c, L"text", L"text~", &query, &bad)) return Error(c, L"bad option " + bad);
  if (!c.words.empty()) return Error(c, L"unexpected word " + c.words[0]);
  HWND found = nullptr;
  if (!Poll(TimeoutOf(c), [&] { return (found = FindDescendant(window_, query)) != nullptr; })) {
    return Fail(c, L"no such control");
  }
  control_ = found;
  PrintLine(L"control: " + Describe(found));
  return Outcome::kOk;
}

Outcome Interpreter::MessageBox(const Command& c) {
  std::wstring bad;
  if (!OnlyOptions(c, {L"text", L"text~", L"timeout"}, &bad)) return Error(c, L"bad option " + bad);
  auto text = c.options.find(L"text");
  auto part = c.options.find(L"text~");
  HWND found = nullptr;
  std::wstring seen = L"(none)";
  bool ok = Poll(TimeoutOf(c), [&] {
    for (HWND top : TopLevelWindows()) {
      if (lstrcmpiW(ClassOf(top).c_str(), L"#32770") != 0 || !IsWindowVisible(top)) continue;
      std::wstring message = MessageBoxText(top).value_or(L"");
      seen = L"\"" + message + L"\"";
      if (text != c.options.end() && message != text->second) continue;
      if (part != c.options.end() && message.find(part->second) == std::wstring::npos) continue;
      found = top;
      return true;
    }
    return false;
  });
  if (!ok) return Fail(c, L"no such message box; seen " + seen);
  window_ = found;
  control_ = nullptr;
  PrintLine(L"msgbox: " + MessageBoxText(found).value_or(L""));
  return Outcome::kOk;
}

Outcome Interpreter::MessageBoxOk(const Command& c) {
  Outcome outcome;
  if (!NeedWindow(c, &outcome)) return outcome;
  if (lstrcmpiW(ClassOf(window_).c_str(), L"#32770") != 0) {
    return Error(c, L"the current window is no message box");
  }
  HWND button = GetDlgItem(window_, IDOK);
  if (button == nullptr) return Fail(c, L"the message box has no OK button");
  PostMessageW(window_, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  if (!Poll(TimeoutOf(c), [&] { return !IsWindow(window_); })) {
    return Fail(c, L"the message box stays open");
  }
  window_ = nullptr;
  control_ = nullptr;
  return Outcome::kOk;
}

Outcome Interpreter::SetText(const Command& c) {
  Outcome outcome;
  if (!NeedControl(c, &outcome)) return outcome;
  if (c.words.size() != 1 || !c.options.empty()) return Error(c, L"usage: settext TEXT");
  auto result = Send(control_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.words[0].c_str()));
  if (!result || *result == FALSE) return Fail(c, L"the control refused the text");
  return Outcome::kOk;
}

Outcome Interpreter::Click(const Command& c) {
  Outcome outcome;
  if (!NeedControl(c, &outcome)) return outcome;
  // A user can click only what is shown and enabled.
  if (!IsWindowVisible(control_)) return Fail(c, L"the control is not visible");
  if (!IsWindowEnabled(control_)) return Fail(c, L"the control is disabled");
  // Posted: the click may open a modal box, which would block a sent message.
  PostMessageW(control_, BM_CLICK, 0, 0);
  return Outcome::kOk;
}

Outcome Interpreter::SendCommand(const Command& c) {
  Outcome outcome;
  if (!NeedWindow(c, &outcome)) return outcome;
  std::optional<int> id = c.words.size() == 1 ? Number(c.words[0]) : std::nullopt;
  if (!id || !c.options.empty()) return Error(c, L"usage: command ID");
  PostMessageW(window_, WM_COMMAND, MAKEWPARAM(*id, 0), 0);
  return Outcome::kOk;
}

Outcome Interpreter::Tray(const Command& c) {
  std::wstring bad;
  if (!OnlyOptions(c, {L"index", L"timeout"}, &bad)) return Error(c, L"bad option " + bad);
  if (c.words.size() != 1) return Error(c, L"usage: tray MESSAGE [index=N]");
  UINT message = 0;
  for (const MouseMessage& m : kMouseMessages) {
    if (c.words[0] == m.name) message = m.message;
  }
  if (message == 0) return Error(c, L"unknown mouse message " + c.words[0]);
  size_t index = 0;
  if (auto it = c.options.find(L"index"); it != c.options.end()) {
    auto n = Number(it->second);
    if (!n || *n < 0) return Error(c, L"bad index");
    index = static_cast<size_t>(*n);
  }
  std::vector<HWND> icons;
  if (!Poll(TimeoutOf(c), [&] { return (icons = TrayIconWindows()).size() > index; })) {
    return Fail(c, L"no tray icon " + std::to_wstring(index));
  }
  PostMessageW(icons[index], message, 0, MAKELPARAM(8, 8));
  return Outcome::kOk;
}

Outcome Interpreter::Repaint(const Command& c) {
  Outcome outcome;
  if (!NeedWindow(c, &outcome)) return outcome;
  RedrawWindow(window_, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  return Outcome::kOk;
}

// Waits until the process of the current window has handled its pending
// input and waits for more (WaitForInputIdle): its start-up is over.
Outcome Interpreter::Idle(const Command& c) {
  Outcome outcome;
  if (!NeedWindow(c, &outcome)) return outcome;
  std::wstring bad;
  if (!OnlyOptions(c, {L"timeout"}, &bad) || !c.words.empty()) return Error(c, L"usage: idle");
  DWORD processId = 0;
  GetWindowThreadProcessId(window_, &processId);
  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId);
  if (process == nullptr) return Fail(c, L"cannot open the window's process");
  DWORD result = WaitForInputIdle(process, TimeoutOf(c));
  DWORD error = GetLastError();
  CloseHandle(process);
  if (result != 0) {
    return Fail(c, L"the process did not become idle (" + std::to_wstring(result) + L", error " +
                       std::to_wstring(error) + L")");
  }
  return Outcome::kOk;
}

}  // namespace kvz::driver
