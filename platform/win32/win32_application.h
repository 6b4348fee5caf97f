#pragma once
#include <windows.h>

#include <string>

#include "platform/application.h"

namespace kvz::platform::win32 {

// The application object on the real API. The main form's window is also
// the application window: it owns the taskbar button and is what the tray
// operations minimise, hide and restore. (A separate invisible owner window
// as the taskbar button, as older frameworks made, gives Windows Vista and
// later an empty taskbar thumbnail and a button that activates nothing.)
class Win32Application : public IApplication {
 public:
  // The title (GBK) captions the message boxes.
  void SetTitle(const std::string& title);
  const std::wstring& title() const { return title_; }
  void SetMainWindow(HWND window) { mainWindow_ = window; }
  HWND mainWindow() const { return mainWindow_; }

  WindowHandle ApplicationWindow() override;
  WindowHandle MainWindow() override;
  std::string ModuleFileName() override;
  void ShowMessage(const std::string& text) override;
  void ShowError(const std::string& text) override;
  void Terminate() override;
  bool IsMinimized() override;
  void MinimizeToTray() override;
  void RestoreFromTray() override;
  bool PostMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                   std::intptr_t lParam) override;
  void ProcessMessages() override;
  bool IsAltKeyDown() override;

 private:
  // The owner of a message box: the window the user works in.
  HWND BoxOwner() const;

  std::wstring title_;
  HWND mainWindow_ = nullptr;
};

}  // namespace kvz::platform::win32
