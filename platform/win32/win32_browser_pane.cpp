#include "platform/win32/win32_browser_pane.h"

#include <exdisp.h>
#include <oleauto.h>

#include "platform/win32/win32_text.h"

namespace kvz::platform::win32 {

namespace {

// MinGW-w64 has no ATL import library, so atl.dll is reached by name.
struct AtlHost {
  using AxWinInitFn = BOOL(WINAPI*)();
  using AxGetControlFn = HRESULT(WINAPI*)(HWND, IUnknown**);
  AxGetControlFn getControl = nullptr;
  bool ready = false;
};

const AtlHost& Atl() {
  static const AtlHost host = [] {
    AtlHost h;
    // From the system folder only: a stray atl.dll beside the program must
    // not be loaded into an elevated process.
    wchar_t path[MAX_PATH];
    UINT length = GetSystemDirectoryW(path, MAX_PATH);
    if (length == 0 || length + 9 > MAX_PATH) return h;
    lstrcatW(path, L"\\atl.dll");
    HMODULE atl = LoadLibraryW(path);
    if (!atl) return h;
    auto init = reinterpret_cast<AtlHost::AxWinInitFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(atl, "AtlAxWinInit")));
    h.getControl = reinterpret_cast<AtlHost::AxGetControlFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(atl, "AtlAxGetControl")));
    h.ready = init && h.getControl && init();
    return h;
  }();
  return host;
}

}  // namespace

Win32BrowserPane::Win32BrowserPane(HWND parent, const RECT& bounds, int id, bool visible) {
  DWORD style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | (visible ? WS_VISIBLE : 0);
  HMENU childId = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
  HINSTANCE instance = GetModuleHandleW(nullptr);
  int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
  if (Atl().ready) {
    window_ = CreateWindowExW(0, L"AtlAxWin", L"Shell.Explorer.2", style, bounds.left,
                              bounds.top, width, height, parent, childId, instance, nullptr);
  }
  if (window_) {
    IUnknown* control = nullptr;
    if (SUCCEEDED(Atl().getControl(window_, &control)) && control) {
      control->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&browser_));
      control->Release();
    }
    // Script errors of the pages must not open dialogs.
    if (browser_) browser_->put_Silent(VARIANT_TRUE);
  } else {
    // The pane stays an empty area with the same id.
    window_ = CreateWindowExW(0, L"STATIC", L"", style, bounds.left, bounds.top, width, height,
                              parent, childId, instance, nullptr);
  }
}

Win32BrowserPane::~Win32BrowserPane() {
  if (browser_) browser_->Release();
}

void Win32BrowserPane::Navigate(const std::string& target) {
  if (!browser_) return;
  VARIANT url;
  VariantInit(&url);
  url.vt = VT_BSTR;
  url.bstrVal = SysAllocString(WideFromGbk(target).c_str());
  if (!url.bstrVal) return;
  VARIANT empty;
  VariantInit(&empty);
  // A failed navigation shows the control's own error page; nothing to report.
  browser_->Navigate2(&url, &empty, &empty, &empty, &empty);
  VariantClear(&url);
}

}  // namespace kvz::platform::win32
