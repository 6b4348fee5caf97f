#pragma once
#include <windows.h>

#include <vector>

#include "ui/form.h"
#include "ui/tray_icon.h"

namespace kvz::platform::win32 {

// The notification-area icon of a TrayIcon model. A hidden top-level window
// of its own takes the icon's mouse messages, the animation timer and the
// shell's TaskbarCreated broadcast (which message-only windows never see).
// Commands of the popup menu go to the form's window as WM_COMMAND.
class Win32TrayIcon : public ui::TrayIconObserver {
 public:
  Win32TrayIcon(ui::Form& form, ui::TrayIcon& model, HWND formWindow, HMENU popupMenu);
  Win32TrayIcon(const Win32TrayIcon&) = delete;
  Win32TrayIcon& operator=(const Win32TrayIcon&) = delete;
  ~Win32TrayIcon() override;

  void TrayIconChanged(ui::TrayIcon& icon) override;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void Notify(DWORD action);
  void Sync();
  void OpenPopupMenu();

  ui::Form& form_;
  ui::TrayIcon& model_;
  HWND formWindow_;
  HMENU popupMenu_;
  HWND window_ = nullptr;
  std::vector<HICON> pictures_;
  bool timerRunning_ = false;
  UINT taskbarCreated_ = 0;
};

}  // namespace kvz::platform::win32
