#include "platform/win32/win32_controls.h"

#include "platform/win32/win32_text.h"

namespace kvz::platform::win32 {

const wchar_t kTabSheetClass[] = L"KvzTabSheet";

namespace {

LRESULT CALLBACK TabSheetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
      // The form's window routes every control's notification by its id.
      return SendMessageW(GetAncestor(window, GA_ROOT), message, wParam, lParam);
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterTabSheetClass(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(instance, kTabSheetClass, &wc)) return;
  wc.lpfnWndProc = TabSheetProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kTabSheetClass;
  RegisterClassExW(&wc);
}

struct WindowDesign {
  const wchar_t* className = L"STATIC";
  DWORD style = 0;
  DWORD exStyle = 0;
};

WindowDesign SpecFor(const ui::Control& c) {
  WindowDesign design;
  switch (c.kind()) {
    case ui::ControlKind::Label:
      // A label too narrow for its text is cut at the right, never wrapped.
      design.style = SS_LEFTNOWORDWRAP | ((c.onClick || c.onDoubleClick) ? SS_NOTIFY : 0);
      break;
    case ui::ControlKind::Edit:
      design.className = L"EDIT";
      design.style = ES_AUTOHSCROLL | ES_LEFT | (c.password ? ES_PASSWORD : 0);
      design.exStyle = WS_EX_CLIENTEDGE;
      break;
    case ui::ControlKind::Button:
      design.className = L"BUTTON";
      design.style = c.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
      break;
    case ui::ControlKind::CheckBox:
      design.className = L"BUTTON";
      design.style = BS_AUTOCHECKBOX | (c.textLeftOfBox ? BS_LEFTTEXT : 0);
      break;
    case ui::ControlKind::ListBox:
      design.className = L"LISTBOX";
      design.style = WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY;
      design.exStyle = WS_EX_CLIENTEDGE;
      break;
    case ui::ControlKind::PageControl:
      design.className = WC_TABCONTROLW;
      design.style = WS_CLIPCHILDREN | (c.multiLineTabs ? TCS_MULTILINE : 0) |
                   (c.tabsOnLeft ? TCS_VERTICAL | TCS_MULTILINE : 0);
      // Tab reaches into the pages' controls.
      design.exStyle = WS_EX_CONTROLPARENT;
      break;
    case ui::ControlKind::TabSheet:
      design.className = kTabSheetClass;
      design.style = WS_CLIPCHILDREN;
      design.exStyle = WS_EX_CONTROLPARENT;
      break;
    case ui::ControlKind::Image:
      design.style = SS_ICON | SS_NOTIFY;
      break;
    case ui::ControlKind::WebBrowser:
      break;  // made by Win32BrowserPane
  }
  return design;
}

void AddTab(HWND pageControl, const ui::Control& sheet) {
  TCITEMW item{};
  item.mask = TCIF_IMAGE;
  item.iImage = sheet.imageIndex;
  int count = static_cast<int>(SendMessageW(pageControl, TCM_GETITEMCOUNT, 0, 0));
  SendMessageW(pageControl, TCM_INSERTITEMW, count, reinterpret_cast<LPARAM>(&item));
}

// The tab pictures: one bitmap strip, magenta where it is transparent.
HIMAGELIST LoadTabPictures(const std::string& resource) {
  constexpr int kWidth = 16, kHeight = 20;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  auto strip = static_cast<HBITMAP>(LoadImageW(instance, WideFromGbk(resource).c_str(),
                                               IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!strip) return nullptr;
  HIMAGELIST list = ImageList_Create(ScalePx(kWidth), ScalePx(kHeight), ILC_COLOR24 | ILC_MASK,
                                     2, 0);
  if (list && ScalePx(kWidth) == kWidth) {
    ImageList_AddMasked(list, strip, RGB(255, 0, 255));
  } else if (list) {
    // Scaled screens: stretch the strip to the list's picture size first.
    BITMAP info;
    GetObjectW(strip, sizeof info, &info);
    int count = info.bmWidth / kWidth;
    HDC screen = GetDC(nullptr);
    HDC from = CreateCompatibleDC(screen), to = CreateCompatibleDC(screen);
    HBITMAP scaled = CreateCompatibleBitmap(screen, ScalePx(kWidth) * count, ScalePx(kHeight));
    HGDIOBJ oldFrom = SelectObject(from, strip), oldTo = SelectObject(to, scaled);
    SetStretchBltMode(to, COLORONCOLOR);  // keeps the magenta key pure
    StretchBlt(to, 0, 0, ScalePx(kWidth) * count, ScalePx(kHeight), from, 0, 0, info.bmWidth,
               info.bmHeight, SRCCOPY);
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
    DeleteDC(from);
    DeleteDC(to);
    ReleaseDC(nullptr, screen);
    ImageList_AddMasked(list, scaled, RGB(255, 0, 255));
    DeleteObject(scaled);
  }
  DeleteObject(strip);
  return list;
}

}  // namespace

RECT ScaledBounds(const ui::Bounds& b) {
  RECT r{ScalePx(b.left), ScalePx(b.top), 0, 0};
  r.right = r.left + ScalePx(b.width);
  r.bottom = r.top + ScalePx(b.height);
  return r;
}

void CreateControlWindow(ControlWindow& control, HWND parent, FontCache& fonts) {
  const ui::Control& c = *control.model;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  RECT r = ScaledBounds(c.bounds());
  bool visible = c.visible();
  if (c.kind() == ui::ControlKind::WebBrowser) {
    control.browser = std::make_unique<Win32BrowserPane>(parent, r, control.id, visible);
    control.hwnd = control.browser->hwnd();
    return;
  }
  if (c.kind() == ui::ControlKind::TabSheet) {
    RegisterTabSheetClass(instance);
    AddTab(parent, c);
    visible = false;  // the page control shows its active page
  }
  WindowDesign design = SpecFor(c);
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | design.style | (visible ? WS_VISIBLE : 0) |
                (c.tabOrder >= 0 ? WS_TABSTOP : 0) | (c.enabled() ? 0 : WS_DISABLED);
  std::wstring text = c.kind() == ui::ControlKind::Image ? std::wstring() : WideFromGbk(c.caption());
  control.hwnd = CreateWindowExW(design.exStyle, design.className, text.c_str(), style, r.left, r.top,
                                 r.right - r.left, r.bottom - r.top, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
                                 instance, nullptr);
  if (!control.hwnd) return;
  SendMessageW(control.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.Get(c.font)), FALSE);

  switch (c.kind()) {
    case ui::ControlKind::Edit:
      // Typing only: text the program puts in is not cut.
      if (c.maxLength > 0) SendMessageW(control.hwnd, EM_LIMITTEXT, c.maxLength, 0);
      // Common Controls 6 would show dots.
      if (c.password) SendMessageW(control.hwnd, EM_SETPASSWORDCHAR, L'*', 0);
      break;
    case ui::ControlKind::CheckBox:
      SendMessageW(control.hwnd, BM_SETCHECK, c.checked() ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case ui::ControlKind::ListBox:
      if (c.itemHeight > 0) {
        SendMessageW(control.hwnd, LB_SETITEMHEIGHT, 0, ScalePx(c.itemHeight));
      }
      for (const std::string& line : c.lines()) {
        SendMessageW(control.hwnd, LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(WideFromGbk(line).c_str()));
      }
      break;
    case ui::ControlKind::PageControl:
      if (!c.imageList.empty()) {
        control.tabPictures = LoadTabPictures(c.imageList);
        SendMessageW(control.hwnd, TCM_SETIMAGELIST, 0,
                     reinterpret_cast<LPARAM>(control.tabPictures));
      }
      break;
    case ui::ControlKind::Image:
      if (!c.imageResource.empty()) {
        control.icon = static_cast<HICON>(
            LoadImageW(instance, WideFromGbk(c.imageResource).c_str(), IMAGE_ICON,
                       ScalePx(c.bounds().width), ScalePx(c.bounds().height), 0));
        SendMessageW(control.hwnd, STM_SETICON, reinterpret_cast<WPARAM>(control.icon), 0);
      }
      break;
    case ui::ControlKind::Label:
      FitLabelToText(control);
      break;
    default:
      break;
  }
}

void ReleaseControlResources(ControlWindow& control) {
  control.browser.reset();
  if (control.icon) DestroyIcon(control.icon);
  control.icon = nullptr;
  if (control.tabPictures) ImageList_Destroy(control.tabPictures);
  control.tabPictures = nullptr;
}

void FitLabelToText(const ControlWindow& control) {
  const ui::Control& c = *control.model;
  if (c.kind() != ui::ControlKind::Label || c.bounds().width != 0 || !control.hwnd) return;
  std::wstring text = WideFromGbk(c.caption());
  HDC dc = GetDC(control.hwnd);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(
                                     SendMessageW(control.hwnd, WM_GETFONT, 0, 0)));
  RECT measured{0, 0, 0, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured,
            DT_CALCRECT | DT_SINGLELINE | DT_LEFT);
  SelectObject(dc, old);
  ReleaseDC(control.hwnd, dc);
  SetWindowPos(control.hwnd, nullptr, 0, 0, measured.right, ScalePx(c.bounds().height),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PlaceTabSheet(const ControlWindow& sheet, HWND pageControl) {
  RECT area;
  GetClientRect(pageControl, &area);
  SendMessageW(pageControl, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  SetWindowPos(sheet.hwnd, nullptr, area.left, area.top, area.right - area.left,
               area.bottom - area.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace kvz::platform::win32
