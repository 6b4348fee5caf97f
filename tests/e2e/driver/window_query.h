#pragma once
// Finding windows of other processes and reading them with ordinary
// messages (sent with a timeout, so a busy target cannot hang the driver).
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace kvz::driver {

struct WindowQuery {
  std::optional<std::wstring> className;  // compared regardless of case
  std::optional<std::wstring> text;       // exact window text
  std::optional<std::wstring> textContains;
  std::optional<int> id;                  // control ID
  int index = 0;                          // the n-th match, counting from 0
  bool visibleOnly = false;
  std::optional<bool> password;           // an Edit with (or without) ES_PASSWORD
};

HWND FindTopLevel(const WindowQuery& query);
// Among all descendants of parent, in the order EnumChildWindows gives.
HWND FindDescendant(HWND parent, const WindowQuery& query);
std::vector<HWND> Descendants(HWND parent);
std::vector<HWND> TopLevelWindows();

std::wstring ClassOf(HWND window);
// WM_GETTEXT; nullopt when the window did not answer in time.
std::optional<std::wstring> TextOf(HWND window);
// LB_GETCOUNT / LB_GETTEXT; nullopt when the list did not answer.
std::optional<std::vector<std::wstring>> ListLines(HWND list);
std::optional<LRESULT> Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The icons that Wine puts into its own tray window when no tray manager
// runs (__winex11_tray_icon children of __winex11_standalone_tray).
std::vector<HWND> TrayIconWindows();

}  // namespace kvz::driver
