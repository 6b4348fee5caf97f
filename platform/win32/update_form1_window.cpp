#include "platform/win32/update_form1_window.h"

#include "platform/win32/win32_text.h"
#include "updater/update_texts.h"

namespace kvz::platform::win32 {

namespace {

constexpr wchar_t kWindowClass[] = L"KVZUpdateForm1";
constexpr int kIconResource = 1;
// Fixed single border with a system menu and no maximise button.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

int TwipsToPixels(int twips, int dotsPerInch) { return MulDiv(twips, dotsPerInch, 1440); }

void RegisterFormClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kIconResource));
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  RegisterClassExW(&windowClass);
}

}  // namespace

UpdateForm1Window::UpdateForm1Window(HINSTANCE instance) {
  RegisterFormClass(instance, &WindowProc);
  HDC screen = GetDC(nullptr);
  const int dpiX = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
  const int dpiY = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  using Design = updater::Form1Design;
  const int width = TwipsToPixels(Design::kWidth, dpiX);
  const int height = TwipsToPixels(Design::kHeight, dpiY);
  // Centred on the screen: the window has no owner.
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  window_ =
      CreateWindowExW(0, kWindowClass, WideFromGbk(updater::kDesignedCaption).c_str(), kWindowStyle,
                      left, top, width, height, nullptr, nullptr, instance, this);
  if (!window_) return;  // the run goes on without a window; it never needs one
  label_ = CreateWindowExW(
      0, L"STATIC", WideFromGbk(updater::kDesignedProgressText).c_str(),
      WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, TwipsToPixels(Design::kLabelLeft, dpiX),
      TwipsToPixels(Design::kLabelTop, dpiY), TwipsToPixels(Design::kLabelWidth, dpiX),
      TwipsToPixels(Design::kLabelHeight, dpiY), window_, nullptr, instance, nullptr);
  if (label_) {
    SendMessageW(label_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    FitLabelToText();
  }
}

UpdateForm1Window::~UpdateForm1Window() { Destroy(); }

void UpdateForm1Window::SetCaption(const std::string& text) {
  if (window_) SetWindowTextW(window_, WideFromGbk(text).c_str());
}

void UpdateForm1Window::SetProgressText(const std::string& text) {
  if (!label_) return;
  SetWindowTextW(label_, WideFromGbk(text).c_str());
  FitLabelToText();
}

void UpdateForm1Window::FitLabelToText() {
  wchar_t text[256];
  const int length = GetWindowTextW(label_, text, static_cast<int>(sizeof text / sizeof text[0]));
  HDC context = GetDC(label_);
  if (!context) return;
  HGDIOBJ previous =
      SelectObject(context, reinterpret_cast<HGDIOBJ>(SendMessageW(label_, WM_GETFONT, 0, 0)));
  SIZE extent{};
  GetTextExtentPoint32W(context, text, length, &extent);
  SelectObject(context, previous);
  ReleaseDC(label_, context);
  SetWindowPos(label_, nullptr, 0, 0, extent.cx, extent.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void UpdateForm1Window::ProcessMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // Not ours to take: leave it for whoever runs the loop after the run.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void UpdateForm1Window::Destroy() {
  if (!window_) return;
  HWND window = window_;
  window_ = nullptr;
  label_ = nullptr;
  DestroyWindow(window);
}

LRESULT CALLBACK UpdateForm1Window::WindowProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<UpdateForm1Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_CLOSE:
      // The run closes the window itself when it ends. A close request in
      // the middle of a transfer aborts that transfer instead, so the run
      // stops as after a failed transfer and the unload step runs only once
      // the engine is no longer in use.
      if (self && self->form_ && self->form_->IsTransferring()) self->form_->AbortTransfer();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace kvz::platform::win32
