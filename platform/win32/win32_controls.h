#pragma once
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "platform/win32/win32_browser_pane.h"
#include "platform/win32/win32_fonts.h"
#include "ui/control.h"

namespace kvz::platform::win32 {

// The window of one control and what it holds.
struct ControlWindow {
  ui::Control* model = nullptr;
  int id = 0;
  HWND hwnd = nullptr;
  std::unique_ptr<Win32BrowserPane> browser;  // WebBrowser
  HICON icon = nullptr;                       // Image
  HIMAGELIST tabPictures = nullptr;           // PageControl
};

// Window class of a tab sheet: a plain panel that passes its controls'
// notifications on to the form's window.
extern const wchar_t kTabSheetClass[];

// Creates the control's window from its design data in the parent window
// (for a tab sheet: the page control's window, which also gets its tab).
void CreateControlWindow(ControlWindow& control, HWND parent, FontCache& fonts);
// Frees what the control holds besides its window.
void ReleaseControlResources(ControlWindow& control);

// A label of design width 0 takes the width of its text.
void FitLabelToText(const ControlWindow& control);
// Places a tab sheet's panel on the page area of its page control.
void PlaceTabSheet(const ControlWindow& sheet, HWND pageControl);

// The design bounds in device pixels.
RECT ScaledBounds(const ui::Bounds& bounds);

}  // namespace kvz::platform::win32
