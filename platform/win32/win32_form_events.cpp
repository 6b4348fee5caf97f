// Window messages of a form turned into calls of its handlers and updates
// of its models. Every handler runs inside Form::Invoke.
#include "platform/win32/win32_form_window.h"

#include "platform/win32/win32_text.h"

namespace kvz::platform::win32 {

namespace {

std::wstring WindowText(HWND window) {
  int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  length = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
  return text;
}

}  // namespace

LRESULT Win32FormWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(wParam, lParam);
      return 0;
    case WM_NOTIFY:
      OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
      return 0;
    case DM_GETDEFID:
      return DefaultButtonId();
    case WM_GETMINMAXINFO:
      if (form_.minWidth > 0 || form_.minHeight > 0) {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize.x = ScalePx(form_.minWidth);
        info->ptMinTrackSize.y = ScalePx(form_.minHeight);
        return 0;
      }
      break;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_MINIMIZE) {
        form_.Invoke([this] { form_.MinimizeCommand(); });
        return 0;
      }
      break;
    case WM_CLOSE:
      form_.Invoke([this] { form_.Close(); });
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) RememberFocus();
      break;
    case WM_SETFOCUS:
      RestoreFocus();
      return 0;
    case WM_NCCREATE:
    case WM_CREATE:
    case WM_DESTROY:
    case WM_NCDESTROY:
      break;
    default: {
      bool consumed = false;
      form_.Invoke([&] { consumed = form_.WndProc(message, wParam, lParam); });
      if (consumed) return 0;
      break;
    }
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void Win32FormWindow::OnCommand(WPARAM wParam, LPARAM) {
  int id = LOWORD(wParam);
  int code = HIWORD(wParam);
  // Control ids and menu ids never overlap (command_ids.h), so a command
  // sent without a control handle still finds its control.
  if (ControlWindow* control = ById(id)) {
    OnControlNotification(*control, code);
  } else if (code == 0 || code == 1) {
    OnMenuCommand(id);
  }
}

void Win32FormWindow::OnControlNotification(ControlWindow& control, int code) {
  ui::Control& model = *control.model;
  switch (model.kind()) {
    case ui::ControlKind::Button:
      // A disabled button cannot be pressed, whoever sends the click.
      if (code == BN_CLICKED && model.enabled()) form_.Invoke(model.onClick);
      break;
    case ui::ControlKind::CheckBox:
      if (code == BN_CLICKED && model.enabled()) {
        model.SetCheckedFromUser(SendMessageW(control.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED);
        form_.Invoke(model.onClick);
      }
      break;
    case ui::ControlKind::Edit:
      if (code == EN_CHANGE && !writing_) {
        model.SetCaptionFromUser(GbkFromWide(WindowText(control.hwnd)));
      }
      break;
    case ui::ControlKind::Label:
    case ui::ControlKind::Image:
      if (code == STN_DBLCLK) form_.Invoke(model.onDoubleClick);
      if (code == STN_CLICKED) form_.Invoke(model.onClick);
      break;
    case ui::ControlKind::ListBox:
      if (code == LBN_DBLCLK) form_.Invoke(model.onDoubleClick);
      break;
    default:
      break;
  }
}

void Win32FormWindow::OnMenuCommand(int id) {
  ui::MenuItem* item = mainMenu_ ? mainMenu_->ItemForCommand(id) : nullptr;
  if (!item && popupMenu_) item = popupMenu_->ItemForCommand(id);
  // Disabled items cannot be chosen, whoever sends the command.
  if (item && item->enabled() && !item->separator()) form_.Invoke(item->onClick);
}

void Win32FormWindow::OnNotify(const NMHDR& header) {
  if (header.code != static_cast<UINT>(TCN_SELCHANGE)) return;
  ControlWindow* pages = ById(static_cast<int>(header.idFrom));
  if (!pages || pages->model->kind() != ui::ControlKind::PageControl) return;
  int index = static_cast<int>(SendMessageW(pages->hwnd, TCM_GETCURSEL, 0, 0));
  if (index >= 0) form_.Invoke([&] { pages->model->SetActivePage(index); });
}

LRESULT Win32FormWindow::DefaultButtonId() const {
  for (const ControlWindow& control : controls_) {
    if (control.model->kind() == ui::ControlKind::Button && control.model->isDefault) {
      return MAKELRESULT(control.id, DC_HASDEFID);
    }
  }
  return 0;
}

void Win32FormWindow::RememberFocus() {
  HWND focus = GetFocus();
  if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
}

void Win32FormWindow::RestoreFocus() {
  HWND target = lastFocus_;
  if (!target || !IsWindow(target) || !IsChild(hwnd_, target) || !IsWindowVisible(target) ||
      !IsWindowEnabled(target)) {
    target = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
  }
  if (target) SetFocus(target);
}

}  // namespace kvz::platform::win32
