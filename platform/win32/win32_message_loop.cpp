#include "platform/win32/win32_message_loop.h"

namespace kvz::platform::win32 {

namespace {

const wchar_t kFormProperty[] = L"KvzForm";

bool IsKeyboardMessage(UINT message) { return message >= WM_KEYFIRST && message <= WM_KEYLAST; }

// Keys typed into an embedded web page belong to the page, not to the form.
bool InsideBrowserPane(HWND window) {
  wchar_t name[32];
  for (HWND w = window; w; w = GetParent(w)) {
    if (GetClassNameW(w, name, 32) && lstrcmpiW(name, L"AtlAxWin") == 0) return true;
    if (GetPropW(w, kFormProperty)) return false;
  }
  return false;
}

}  // namespace

void MarkAsForm(HWND window) { SetPropW(window, kFormProperty, reinterpret_cast<HANDLE>(1)); }

void UnmarkAsForm(HWND window) { RemovePropW(window, kFormProperty); }

void DispatchWindowMessage(MSG& message) {
  if (message.hwnd && IsKeyboardMessage(message.message) && !InsideBrowserPane(message.hwnd)) {
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    if (root && GetPropW(root, kFormProperty) && IsDialogMessageW(root, &message)) return;
  }
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

void ProcessWaitingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    DispatchWindowMessage(message);
  }
}

}  // namespace kvz::platform::win32
