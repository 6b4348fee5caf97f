#include "platform/win32/win32_form_window.h"

#include <algorithm>

#include "platform/win32/command_ids.h"
#include "platform/win32/win32_message_loop.h"
#include "platform/win32/win32_text.h"

namespace kvz::platform::win32 {

namespace {

DWORD FrameStyle(const ui::Form& form) {
  DWORD style = WS_CAPTION | WS_CLIPCHILDREN;
  switch (form.border) {
    case ui::BorderStyle::Sizeable:
      style |= WS_OVERLAPPED | WS_THICKFRAME;
      break;
    case ui::BorderStyle::Dialog:
      style |= WS_POPUP;
      break;
    case ui::BorderStyle::Single:
      style |= WS_OVERLAPPED | WS_BORDER;
      break;
  }
  // The title-bar buttons exist only with the system menu.
  if (form.systemMenu) {
    style |= WS_SYSMENU;
    if (form.minimizeButton) style |= WS_MINIMIZEBOX;
    if (form.maximizeButton) style |= WS_MAXIMIZEBOX;
  }
  return style;
}

DWORD FrameExStyle(const ui::Form& form) {
  return form.border == ui::BorderStyle::Dialog ? WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE
                                                : WS_EX_WINDOWEDGE;
}

void RegisterFormClass(const std::wstring& name, const ui::Form& form, WNDPROC windowProc) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(instance, name.c_str(), &wc)) return;
  wc.lpfnWndProc = windowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = name.c_str();
  if (!form.iconResource.empty()) {
    std::wstring icon = WideFromGbk(form.iconResource);
    wc.hIcon = static_cast<HICON>(LoadImageW(instance, icon.c_str(), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXICON),
                                             GetSystemMetrics(SM_CYICON), LR_SHARED));
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance, icon.c_str(), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  }
  RegisterClassExW(&wc);
}

}  // namespace

Win32FormWindow::Win32FormWindow(ui::Form& form, HWND owner, FontCache& fonts)
    : form_(form), fonts_(fonts) {
  if (form_.mainMenu) {
    mainMenu_ = std::make_unique<Win32Menu>(*form_.mainMenu, Win32Menu::Kind::Bar,
                                            ids::kFirstMainMenuId);
  }
  if (form_.popupMenu) {
    popupMenu_ = std::make_unique<Win32Menu>(*form_.popupMenu, Win32Menu::Kind::Popup,
                                             ids::kFirstPopupMenuId);
  }
  CreateFormWindow(owner);
  if (!hwnd_) return;
  MarkAsForm(hwnd_);
  if (mainMenu_) mainMenu_->AttachTo(hwnd_);
  CreateControls();
  if (form_.trayIcon) {
    HMENU popup = popupMenu_ && form_.trayIcon->popupMenu == form_.popupMenu.get()
                      ? popupMenu_->handle()
                      : nullptr;
    tray_ = std::make_unique<Win32TrayIcon>(form_, *form_.trayIcon, hwnd_, popup);
  }
}

Win32FormWindow::~Win32FormWindow() {
  for (ControlWindow& control : controls_) control.model->SetObserver(nullptr);
  if (mainMenu_) mainMenu_->Detach();
  if (popupMenu_) popupMenu_->Detach();
  tray_.reset();
  for (ControlWindow& control : controls_) ReleaseControlResources(control);
  if (hwnd_) {
    // No handler may run while the window comes down.
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    UnmarkAsForm(hwnd_);
    DestroyWindow(hwnd_);
  }
}

void Win32FormWindow::CreateFormWindow(HWND owner) {
  std::wstring className = WideFromGbk(form_.windowClass.empty() ? "KvzForm" : form_.windowClass);
  RegisterFormClass(className, form_, &WindowProc);
  DWORD style = FrameStyle(form_), exStyle = FrameExStyle(form_);
  int width = ScalePx(form_.outer.width), height = ScalePx(form_.outer.height);
  if (form_.clientSized) {
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, style, mainMenu_ != nullptr, exStyle);
    width = frame.right - frame.left;
    height = frame.bottom - frame.top;
  }
  hwnd_ = CreateWindowExW(exStyle, className.c_str(), WideFromGbk(form_.caption()).c_str(), style,
                          form_.outer.left, form_.outer.top, width, height, owner, nullptr,
                          GetModuleHandleW(nullptr), this);
  if (hwnd_ && form_.systemMenu && !form_.closeButton) {
    DeleteMenu(GetSystemMenu(hwnd_, FALSE), SC_CLOSE, MF_BYCOMMAND);
  }
}

void Win32FormWindow::CreateControls() {
  controls_.resize(form_.controls.size());
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    controls_[i].model = form_.controls[i].get();
    controls_[i].id = ids::kFirstControlId + static_cast<int>(i);
    indexOf_[controls_[i].model] = i;
  }
  // Design order puts every parent before its children.
  for (ControlWindow& control : controls_) {
    ControlWindow* parent = ByModel(control.model->parent());
    CreateControlWindow(control, parent && parent->hwnd ? parent->hwnd : hwnd_, fonts_);
  }
  for (ControlWindow& control : controls_) {
    if (control.model->kind() != ui::ControlKind::TabSheet || !control.hwnd) continue;
    ControlWindow* pages = ByModel(control.model->parent());
    if (pages && pages->hwnd) PlaceTabSheet(control, pages->hwnd);
  }
  for (ControlWindow& control : controls_) {
    if (control.model->kind() == ui::ControlKind::PageControl) ShowPage(control, false);
  }
  ApplyTabOrder();
  for (ControlWindow& control : controls_) control.model->SetObserver(this);
}

// The dialog keys move through the tab stops in z-order, so each parent's
// tab stops go to the top of its children in their designed order.
void Win32FormWindow::ApplyTabOrder() {
  std::map<const ui::Control*, std::vector<ControlWindow*>> byParent;
  for (ControlWindow& control : controls_) {
    if (control.model->tabOrder >= 0 && control.hwnd) {
      byParent[control.model->parent()].push_back(&control);
    }
  }
  for (auto& [parent, stops] : byParent) {
    std::stable_sort(stops.begin(), stops.end(), [](const ControlWindow* a, const ControlWindow* b) {
      return a->model->tabOrder < b->model->tabOrder;
    });
    HWND after = HWND_TOP;
    for (ControlWindow* stop : stops) {
      SetWindowPos(stop->hwnd, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      after = stop->hwnd;
    }
  }
}

void Win32FormWindow::CaptionChanged() {
  if (hwnd_) SetWindowTextW(hwnd_, WideFromGbk(form_.caption()).c_str());
}

void Win32FormWindow::Show() {
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
}

void Win32FormWindow::Hide() { ShowWindow(hwnd_, SW_HIDE); }

ControlWindow* Win32FormWindow::ByModel(const ui::Control* control) {
  auto found = indexOf_.find(control);
  return found == indexOf_.end() ? nullptr : &controls_[found->second];
}

ControlWindow* Win32FormWindow::ById(int id) {
  std::size_t index = static_cast<std::size_t>(id - ids::kFirstControlId);
  return id >= ids::kFirstControlId && index < controls_.size() ? &controls_[index] : nullptr;
}

LRESULT CALLBACK Win32FormWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    auto* self = static_cast<Win32FormWindow*>(create->lpCreateParams);
    self->hwnd_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Win32FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  try {
    if (self) return self->Handle(message, wParam, lParam);
  } catch (...) {
    // Nothing may unwind into the system's code; the handlers' own errors
    // were shown by Form::Invoke already.
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace kvz::platform::win32
