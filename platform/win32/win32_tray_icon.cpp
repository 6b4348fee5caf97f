#include "platform/win32/win32_tray_icon.h"

#include <shellapi.h>

#include "platform/win32/win32_text.h"

namespace kvz::platform::win32 {

namespace {

constexpr UINT kCallbackMessage = WM_APP + 1;
constexpr UINT kIconId = 1;
constexpr UINT_PTR kAnimationTimer = 1;
const wchar_t kWindowClass[] = L"KvzTrayWindow";

void RegisterTrayClass(HINSTANCE instance, WNDPROC windowProc) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(instance, kWindowClass, &wc)) return;
  wc.lpfnWndProc = windowProc;
  wc.hInstance = instance;
  wc.lpszClassName = kWindowClass;
  RegisterClassExW(&wc);
}

}  // namespace

Win32TrayIcon::Win32TrayIcon(ui::Form& form, ui::TrayIcon& model, HWND formWindow,
                             HMENU popupMenu)
    : form_(form), model_(model), formWindow_(formWindow), popupMenu_(popupMenu) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
  for (const std::string& name : model_.pictures()) {
    pictures_.push_back(static_cast<HICON>(
        LoadImageW(instance, WideFromGbk(name).c_str(), IMAGE_ICON, cx, cy, 0)));
  }
  RegisterTrayClass(instance, &WindowProc);
  window_ = CreateWindowExW(0, kWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                            instance, nullptr);
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
  // The client runs elevated; the shell that broadcasts does not.
  ChangeWindowMessageFilterEx(window_, taskbarCreated_, MSGFLT_ALLOW, nullptr);
  ChangeWindowMessageFilterEx(window_, kCallbackMessage, MSGFLT_ALLOW, nullptr);
  Notify(NIM_ADD);
  Sync();
  model_.SetObserver(this);
}

Win32TrayIcon::~Win32TrayIcon() {
  model_.SetObserver(nullptr);
  if (timerRunning_) KillTimer(window_, kAnimationTimer);
  Notify(NIM_DELETE);
  if (window_) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
  for (HICON icon : pictures_) {
    if (icon) DestroyIcon(icon);
  }
}

void Win32TrayIcon::Notify(DWORD action) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = window_;
  data.uID = kIconId;
  if (action != NIM_DELETE) {
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kCallbackMessage;
    int index = model_.iconIndex();
    if (index >= 0 && index < static_cast<int>(pictures_.size())) data.hIcon = pictures_[index];
    lstrcpynW(data.szTip, WideFromGbk(model_.hint()).c_str(), ARRAYSIZE(data.szTip));
  }
  Shell_NotifyIconW(action, &data);
}

void Win32TrayIcon::Sync() {
  if (model_.animate() && !timerRunning_) {
    timerRunning_ = SetTimer(window_, kAnimationTimer, ui::TrayIcon::kAnimationIntervalMs,
                             nullptr) != 0;
  } else if (!model_.animate() && timerRunning_) {
    KillTimer(window_, kAnimationTimer);
    timerRunning_ = false;
  }
}

void Win32TrayIcon::TrayIconChanged(ui::TrayIcon&) {
  Sync();
  Notify(NIM_MODIFY);
}

LRESULT CALLBACK Win32TrayIcon::WindowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
  auto* self = reinterpret_cast<Win32TrayIcon*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  try {
    if (self) return self->Handle(message, wParam, lParam);
  } catch (...) {
    // Nothing may unwind into the system's code.
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Win32TrayIcon::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kCallbackMessage) {
    // The old callback form carries the mouse message in lParam, the newer
    // one in its low word; both fit LOWORD.
    switch (LOWORD(lParam)) {
      case WM_LBUTTONDBLCLK:
        form_.Invoke([this] { model_.Restore(); });
        break;
      case WM_RBUTTONUP:
        OpenPopupMenu();
        break;
    }
    return 0;
  }
  if (message == WM_TIMER && wParam == kAnimationTimer) {
    form_.Invoke([this] { model_.AnimationTick(); });
    return 0;
  }
  if (taskbarCreated_ != 0 && message == taskbarCreated_) {
    // The shell restarted and forgot its icons.
    Notify(NIM_ADD);
    return 0;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void Win32TrayIcon::OpenPopupMenu() {
  if (!popupMenu_) return;
  POINT at;
  GetCursorPos(&at);
  // The menu only closes on a click elsewhere when its owner is in the
  // foreground, and only opens again cleanly after a message follows it.
  SetForegroundWindow(window_);
  UINT command = static_cast<UINT>(TrackPopupMenu(
      popupMenu_, TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0, window_,
      nullptr));
  PostMessageW(window_, WM_NULL, 0, 0);
  if (command != 0) SendMessageW(formWindow_, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

}  // namespace kvz::platform::win32
