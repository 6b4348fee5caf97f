#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <vector>

#include "platform/win32/win32_application.h"
#include "platform/win32/win32_controls.h"
#include "platform/win32/win32_fonts.h"
#include "platform/win32/win32_menu.h"
#include "platform/win32/win32_tray_icon.h"
#include "ui/form.h"

namespace kvz::platform::win32 {

// The real window of one Form: made from its design data, kept in step with
// its control models, and turning window messages into its handlers.
class Win32FormWindow : public ui::ControlObserver {
 public:
  Win32FormWindow(ui::Form& form, HWND owner, FontCache& fonts);
  Win32FormWindow(const Win32FormWindow&) = delete;
  Win32FormWindow& operator=(const Win32FormWindow&) = delete;
  ~Win32FormWindow() override;

  ui::Form& form() const { return form_; }
  HWND hwnd() const { return hwnd_; }
  void CaptionChanged();
  // Shows the window and gives the keyboard to its first tab stop.
  void Show();
  void Hide();

  void ControlChanged(ui::Control& control, ui::Change change) override;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

  // Creation (win32_form_window.cpp).
  void CreateFormWindow(HWND owner);
  void CreateControls();
  void ApplyTabOrder();
  // Model to window (win32_form_sync.cpp).
  // Shows the page control's active page; raising its show event unless building.
  void ShowPage(ControlWindow& pageControl, bool raiseShow = true);
  // Moves the keyboard on when the control that has it goes away.
  void PassFocusOn(const ControlWindow& control);
  void ApplyCaption(ControlWindow& control);
  // Window to model (win32_form_events.cpp).
  void OnCommand(WPARAM wParam, LPARAM lParam);
  void OnControlNotification(ControlWindow& control, int code);
  void OnMenuCommand(int id);
  void OnNotify(const NMHDR& header);
  LRESULT DefaultButtonId() const;
  void RememberFocus();
  void RestoreFocus();

  ControlWindow* ByModel(const ui::Control* control);
  ControlWindow* ById(int id);

  ui::Form& form_;
  FontCache& fonts_;
  HWND hwnd_ = nullptr;
  std::vector<ControlWindow> controls_;  // index = design index
  std::map<const ui::Control*, std::size_t> indexOf_;
  std::unique_ptr<Win32Menu> mainMenu_, popupMenu_;
  std::unique_ptr<Win32TrayIcon> tray_;
  HWND lastFocus_ = nullptr;
  // Set while the program writes an edit box, whose EN_CHANGE is then no typing.
  bool writing_ = false;
};

}  // namespace kvz::platform::win32
