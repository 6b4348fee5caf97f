#include "window_query.h"

namespace kvz::driver {

namespace {

constexpr UINT kAnswerTimeoutMs = 3000;

BOOL CALLBACK Collect(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

bool Matches(HWND window, const WindowQuery& query) {
  if (query.visibleOnly && !IsWindowVisible(window)) return false;
  if (query.className && lstrcmpiW(ClassOf(window).c_str(), query.className->c_str()) != 0) {
    return false;
  }
  if (query.id && GetDlgCtrlID(window) != *query.id) return false;
  if (query.password) {
    if (lstrcmpiW(ClassOf(window).c_str(), L"Edit") != 0) return false;
    bool masked = (GetWindowLongW(window, GWL_STYLE) & ES_PASSWORD) != 0;
    if (masked != *query.password) return false;
  }
  if (query.text || query.textContains) {
    auto text = TextOf(window);
    if (!text) return false;
    if (query.text && *text != *query.text) return false;
    if (query.textContains && text->find(*query.textContains) == std::wstring::npos) return false;
  }
  return true;
}

HWND Pick(const std::vector<HWND>& windows, const WindowQuery& query) {
  int seen = 0;
  for (HWND window : windows) {
    if (!Matches(window, query)) continue;
    if (seen++ == query.index) return window;
  }
  return nullptr;
}

}  // namespace

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  EnumWindows(&Collect, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::vector<HWND> Descendants(HWND parent) {
  std::vector<HWND> windows;
  EnumChildWindows(parent, &Collect, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

HWND FindTopLevel(const WindowQuery& query) { return Pick(TopLevelWindows(), query); }

HWND FindDescendant(HWND parent, const WindowQuery& query) {
  return Pick(Descendants(parent), query);
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  int n = GetClassNameW(window, name, 256);
  return std::wstring(name, n > 0 ? static_cast<size_t>(n) : 0);
}

std::optional<LRESULT> Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                           &result)) {
    return std::nullopt;
  }
  return static_cast<LRESULT>(result);
}

std::optional<std::wstring> TextOf(HWND window) {
  auto length = Send(window, WM_GETTEXTLENGTH, 0, 0);
  if (!length) return std::nullopt;
  std::wstring text(static_cast<size_t>(*length) + 1, L'\0');
  auto copied = Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  if (!copied) return std::nullopt;
  text.resize(static_cast<size_t>(*copied) < text.size() ? static_cast<size_t>(*copied) : 0);
  return text;
}

std::optional<std::vector<std::wstring>> ListLines(HWND list) {
  auto count = Send(list, LB_GETCOUNT, 0, 0);
  if (!count || *count < 0) return std::nullopt;
  std::vector<std::wstring> lines;
  for (LRESULT i = 0; i < *count; ++i) {
    auto length = Send(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    if (!length || *length < 0) return std::nullopt;
    std::wstring line(static_cast<size_t>(*length) + 1, L'\0');
    auto copied = Send(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line.data()));
    if (!copied || *copied < 0) return std::nullopt;
    line.resize(static_cast<size_t>(*copied));
    lines.push_back(line);
  }
  return lines;
}

std::vector<HWND> TrayIconWindows() {
  std::vector<HWND> icons;
  for (HWND top : TopLevelWindows()) {
    std::wstring name = ClassOf(top);
    // Docked into a tray manager, an icon is a top-level window of its own.
    if (lstrcmpiW(name.c_str(), L"__winex11_tray_icon") == 0) icons.push_back(top);
    if (lstrcmpiW(name.c_str(), L"__winex11_standalone_tray") != 0) continue;
    for (HWND child : Descendants(top)) {
      if (lstrcmpiW(ClassOf(child).c_str(), L"__winex11_tray_icon") == 0) icons.push_back(child);
    }
  }
  return icons;
}

}  // namespace kvz::driver
