#pragma once
#include <windows.h>

#include <string>

struct IWebBrowser2;

namespace kvz::platform::win32 {

// The embedded web browser: the WebBrowser control hosted in atl.dll's
// AtlAxWin window. When any piece is missing (no atl.dll, no browser engine)
// the pane is an empty window and navigating does nothing; it never asks
// the user anything.
class Win32BrowserPane {
 public:
  Win32BrowserPane(HWND parent, const RECT& bounds, int id, bool visible);
  Win32BrowserPane(const Win32BrowserPane&) = delete;
  Win32BrowserPane& operator=(const Win32BrowserPane&) = delete;
  ~Win32BrowserPane();

  HWND hwnd() const { return window_; }
  // A URL or a local file path, as GBK text.
  void Navigate(const std::string& target);

 private:
  HWND window_ = nullptr;
  IWebBrowser2* browser_ = nullptr;
};

}  // namespace kvz::platform::win32
