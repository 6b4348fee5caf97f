// Changes of a form's control models carried over to their windows.
#include "platform/win32/win32_form_window.h"

#include "platform/win32/win32_text.h"

namespace kvz::platform::win32 {

void Win32FormWindow::ControlChanged(ui::Control& model, ui::Change change) {
  ControlWindow* control = ByModel(&model);
  if (!control || !control->hwnd) return;
  HWND hwnd = control->hwnd;
  switch (change) {
    case ui::Change::Caption:
      ApplyCaption(*control);
      break;
    case ui::Change::Enabled:
      if (!model.enabled()) PassFocusOn(*control);
      EnableWindow(hwnd, model.enabled());
      break;
    case ui::Change::Visible:
      // A page's visibility belongs to its page control.
      if (model.kind() == ui::ControlKind::TabSheet) break;
      if (!model.visible()) PassFocusOn(*control);
      ShowWindow(hwnd, model.visible() ? SW_SHOWNA : SW_HIDE);
      break;
    case ui::Change::Checked:
      SendMessageW(hwnd, BM_SETCHECK, model.checked() ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case ui::Change::LinesCleared:
      SendMessageW(hwnd, LB_RESETCONTENT, 0, 0);
      break;
    case ui::Change::LineAdded:
      if (!model.lines().empty()) {
        std::wstring line = WideFromGbk(model.lines().back());
        SendMessageW(hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        // The line shows at once, even while the main thread stays busy.
        UpdateWindow(hwnd);
      }
      break;
    case ui::Change::Navigate:
      if (control->browser) control->browser->Navigate(model.url());
      break;
    case ui::Change::ActivePage:
      ShowPage(*control);
      break;
  }
}

void Win32FormWindow::ApplyCaption(ControlWindow& control) {
  ui::ControlKind kind = control.model->kind();
  // Tabs carry pictures only; pages, page controls and pictures no text.
  if (kind == ui::ControlKind::TabSheet || kind == ui::ControlKind::PageControl ||
      kind == ui::ControlKind::Image || kind == ui::ControlKind::WebBrowser) {
    return;
  }
  writing_ = true;
  SetWindowTextW(control.hwnd, WideFromGbk(control.model->caption()).c_str());
  writing_ = false;
  FitLabelToText(control);
}

void Win32FormWindow::ShowPage(ControlWindow& pageControl, bool raiseShow) {
  int active = pageControl.model->activePage();
  SendMessageW(pageControl.hwnd, TCM_SETCURSEL, static_cast<WPARAM>(active), 0);
  ControlWindow* shown = nullptr;
  int index = 0;
  for (ControlWindow& sheet : controls_) {
    if (sheet.model->kind() != ui::ControlKind::TabSheet ||
        sheet.model->parent() != pageControl.model || !sheet.hwnd) {
      continue;
    }
    bool show = index++ == active;
    if (show) {
      shown = &sheet;
    } else {
      PassFocusOn(sheet);
    }
    ShowWindow(sheet.hwnd, show ? SW_SHOWNA : SW_HIDE);
  }
  if (raiseShow && shown) form_.Invoke(shown->model->onShow);
}

void Win32FormWindow::PassFocusOn(const ControlWindow& control) {
  HWND focus = GetFocus();
  if (!focus || (focus != control.hwnd && !IsChild(control.hwnd, focus))) return;
  HWND next = GetNextDlgTabItem(hwnd_, control.hwnd, FALSE);
  if (next && next != control.hwnd && !IsChild(control.hwnd, next)) {
    SetFocus(next);
  } else {
    lastFocus_ = nullptr;
  }
}

}  // namespace kvz::platform::win32
