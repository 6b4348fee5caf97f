#include "platform/win32/win32_application.h"

#include "platform/win32/win32_message_loop.h"
#include "platform/win32/win32_text.h"

namespace kvz::platform::win32 {

void Win32Application::SetTitle(const std::string& title) { title_ = WideFromGbk(title); }

WindowHandle Win32Application::ApplicationWindow() {
  return reinterpret_cast<WindowHandle>(mainWindow_);
}

WindowHandle Win32Application::MainWindow() { return reinterpret_cast<WindowHandle>(mainWindow_); }

std::string Win32Application::ModuleFileName() {
  char path[256];
  DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  // A path cut at the buffer's end comes back without its terminator.
  if (length >= sizeof path) length = sizeof path - 1;
  return std::string(path, length);
}

HWND Win32Application::BoxOwner() const {
  HWND active = GetActiveWindow();
  return active ? active : mainWindow_;
}

void Win32Application::ShowMessage(const std::string& text) {
  MessageBoxW(BoxOwner(), WideFromGbk(text).c_str(), title_.c_str(), MB_OK);
}

void Win32Application::ShowError(const std::string& text) {
  MessageBoxW(BoxOwner(), WideFromGbk(text).c_str(), title_.c_str(), MB_OK | MB_ICONERROR);
}

void Win32Application::Terminate() { PostQuitMessage(0); }

bool Win32Application::IsMinimized() { return mainWindow_ && IsIconic(mainWindow_); }

void Win32Application::MinimizeToTray() {
  if (!mainWindow_) return;
  ShowWindow(mainWindow_, SW_MINIMIZE);
  // Hiding the minimised window takes its button off the taskbar.
  ShowWindow(mainWindow_, SW_HIDE);
}

void Win32Application::RestoreFromTray() {
  if (!mainWindow_) return;
  ShowWindow(mainWindow_, IsIconic(mainWindow_) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(mainWindow_);
}

bool Win32Application::PostMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                                   std::intptr_t lParam) {
  return PostMessageW(reinterpret_cast<HWND>(window), message, static_cast<WPARAM>(wParam),
                      static_cast<LPARAM>(lParam)) != FALSE;
}

void Win32Application::ProcessMessages() { ProcessWaitingMessages(); }

bool Win32Application::IsAltKeyDown() { return (GetKeyState(VK_MENU) & 0x8000) != 0; }

}  // namespace kvz::platform::win32
