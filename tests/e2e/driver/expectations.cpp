// print and expect: reading the chosen window or control, and waiting until
// what is read matches.
#include <cwchar>

#include "interpreter.h"
#include "polling.h"
#include "window_query.h"

namespace kvz::driver {

namespace {

std::wstring Joined(const std::vector<std::wstring>& lines) {
  std::wstring all;
  for (size_t i = 0; i < lines.size(); ++i) all += (i ? L"\n" : L"") + lines[i];
  return all;
}

std::wstring Shown(const std::wstring& text) {
  std::wstring shown;
  for (wchar_t ch : text) shown += ch == L'\n' ? std::wstring(L" | ") : std::wstring(1, ch);
  return L"\"" + shown + L"\"";
}

std::wstring Flag(bool value) { return value ? L"1" : L"0"; }

bool HasMessageBox() {
  for (HWND top : TopLevelWindows()) {
    if (lstrcmpiW(ClassOf(top).c_str(), L"#32770") == 0 && IsWindowVisible(top)) return true;
  }
  return false;
}

}  // namespace

DWORD TimeoutOf(const Command& command) {
  auto it = command.options.find(L"timeout");
  if (it == command.options.end()) return kDefaultTimeoutMs;
  return static_cast<DWORD>(std::wcstoul(it->second.c_str(), nullptr, 10));
}

Outcome Interpreter::WaitFor(const Command& c, const Getter& actual, const std::wstring& expected,
                             bool contains) {
  std::optional<std::wstring> last;
  bool ok = Poll(TimeoutOf(c), [&] {
    last = actual();
    if (!last) return false;
    return contains ? last->find(expected) != std::wstring::npos : *last == expected;
  });
  if (ok) return Outcome::kOk;
  return Fail(c, L"expected " + Shown(expected) + L", got " +
                     (last ? Shown(*last) : std::wstring(L"no answer")));
}

Outcome Interpreter::Expect(const Command& c) {
  for (const auto& [key, value] : c.options) {
    if (key != L"timeout") return Error(c, L"bad option " + key);
  }
  if (c.words.empty()) return Error(c, L"usage: expect WHAT VALUE...");
  const std::wstring& what = c.words[0];
  std::vector<std::wstring> values(c.words.begin() + 1, c.words.end());
  Outcome outcome;
  auto one = [&](std::wstring* value) {
    if (values.size() != 1) return false;
    *value = values[0];
    return true;
  };
  std::wstring value;

  if (what == L"tray-icons") {
    if (!one(&value)) return Error(c, L"usage: expect tray-icons N");
    return WaitFor(c, [] { return std::to_wstring(TrayIconWindows().size()); }, value, false);
  }
  if (what == L"no-msgbox") {
    if (HasMessageBox()) return Fail(c, L"a message box is open");
    return Outcome::kOk;
  }
  if (what == L"title" || what == L"title~" || what == L"window-visible" ||
      what == L"window-iconic" || what == L"gone") {
    if (!NeedWindow(c, &outcome)) return outcome;
    HWND w = window_;
    if (what == L"gone") {
      if (!values.empty()) return Error(c, L"usage: expect gone");
      return WaitFor(c, [w] { return Flag(!IsWindow(w)); }, L"1", false);
    }
    if (!one(&value)) return Error(c, L"usage: expect " + what + L" VALUE");
    if (what == L"window-visible") return WaitFor(c, [w] { return Flag(IsWindowVisible(w)); }, value, false);
    if (what == L"window-iconic") return WaitFor(c, [w] { return Flag(IsIconic(w)); }, value, false);
    return WaitFor(c, [w] { return TextOf(w); }, value, what == L"title~");
  }

  if (!NeedControl(c, &outcome)) return outcome;
  HWND control = control_;
  if (what == L"lines") {
    return WaitFor(c, [control]() -> std::optional<std::wstring> {
      auto lines = ListLines(control);
      if (!lines) return std::nullopt;
      return Joined(*lines);
    }, Joined(values), false);
  }
  if (!one(&value)) return Error(c, L"usage: expect " + what + L" VALUE");
  if (what == L"text" || what == L"text~") {
    return WaitFor(c, [control] { return TextOf(control); }, value, what == L"text~");
  }
  if (what == L"last-line" || what == L"last-line~" || what == L"line-count") {
    bool count = what == L"line-count";
    return WaitFor(c, [control, count]() -> std::optional<std::wstring> {
      auto lines = ListLines(control);
      if (!lines) return std::nullopt;
      if (count) return std::to_wstring(lines->size());
      return lines->empty() ? std::wstring(L"(no lines)") : lines->back();
    }, value, what == L"last-line~");
  }
  if (what == L"enabled") return WaitFor(c, [control] { return Flag(IsWindowEnabled(control)); }, value, false);
  if (what == L"visible") return WaitFor(c, [control] { return Flag(IsWindowVisible(control)); }, value, false);
  if (what == L"checked") {
    return WaitFor(c, [control]() -> std::optional<std::wstring> {
      auto state = Send(control, BM_GETCHECK, 0, 0);
      if (!state) return std::nullopt;
      return Flag(*state == BST_CHECKED);
    }, value, false);
  }
  return Error(c, L"unknown expectation " + what);
}

Outcome Interpreter::Print(const Command& c) {
  if (c.words.size() != 1 || !c.options.empty()) return Error(c, L"usage: print WHAT");
  const std::wstring& what = c.words[0];
  Outcome outcome;
  if (what == L"tray-icons") {
    PrintLine(L"tray-icons: " + std::to_wstring(TrayIconWindows().size()));
    return Outcome::kOk;
  }
  if (what == L"title" || what == L"window-rect" || what == L"window-state") {
    if (!NeedWindow(c, &outcome)) return outcome;
    if (what == L"title") {
      PrintLine(L"title: " + TextOf(window_).value_or(L"(no answer)"));
    } else if (what == L"window-state") {
      PrintLine(L"window-state: visible=" + Flag(IsWindowVisible(window_)) +
                L" iconic=" + Flag(IsIconic(window_)) + L" enabled=" + Flag(IsWindowEnabled(window_)));
    } else {
      RECT r{};
      GetWindowRect(window_, &r);
      PrintLine(L"window-rect: " + std::to_wstring(r.left) + L" " + std::to_wstring(r.top) + L" " +
                std::to_wstring(r.right - r.left) + L" " + std::to_wstring(r.bottom - r.top));
    }
    return Outcome::kOk;
  }
  if (!NeedControl(c, &outcome)) return outcome;
  if (what == L"text") {
    PrintLine(L"text: " + TextOf(control_).value_or(L"(no answer)"));
  } else if (what == L"lines") {
    auto lines = ListLines(control_);
    if (!lines) return Fail(c, L"the list does not answer");
    for (size_t i = 0; i < lines->size(); ++i) {
      PrintLine(L"line " + std::to_wstring(i) + L": " + (*lines)[i]);
    }
  } else if (what == L"state") {
    auto check = Send(control_, BM_GETCHECK, 0, 0);
    PrintLine(L"state: enabled=" + Flag(IsWindowEnabled(control_)) + L" visible=" +
              Flag(IsWindowVisible(control_)) + L" checked=" + Flag(check && *check == BST_CHECKED));
  } else {
    return Error(c, L"unknown thing to print " + what);
  }
  return Outcome::kOk;
}

}  // namespace kvz::driver
