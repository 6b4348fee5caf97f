#include "platform/win32/win32_fonts.h"

#include <cwchar>

#include "platform/win32/win32_text.h"

namespace kvz::platform::win32 {

namespace {

int SystemDpi() {
  static const int dpi = [] {
    HDC screen = GetDC(nullptr);
    int value = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return value > 0 ? value : 96;
  }();
  return dpi;
}

// The font of ordinary dialog controls ("MS Shell Dlg"), which every
// language version of Windows maps to a face that has its script's glyphs.
LOGFONTW DefaultLogFont() {
  LOGFONTW font{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  return font;
}

}  // namespace

int ScalePx(int designPixels) { return MulDiv(designPixels, SystemDpi(), 96); }

FontCache::~FontCache() {
  for (auto& entry : fonts_) DeleteObject(entry.second);
}

HFONT FontCache::Get(const ui::FontSpec& design) {
  if (design.face.empty() && design.pixelHeight == 0 && !design.bold && !design.gb2312Charset) {
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  }
  Key key{design.face, design.pixelHeight, design.bold, design.gb2312Charset};
  auto found = fonts_.find(key);
  if (found != fonts_.end()) return found->second;

  LOGFONTW font = DefaultLogFont();
  if (design.pixelHeight > 0) {
    font.lfHeight = -ScalePx(design.pixelHeight);  // character height, not cell height
    font.lfWidth = 0;
  }
  font.lfWeight = design.bold ? FW_BOLD : FW_NORMAL;
  if (!design.face.empty()) {
    std::wstring face = WideFromGbk(design.face);
    wcsncpy(font.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    font.lfFaceName[LF_FACESIZE - 1] = L'\0';
    font.lfCharSet = DEFAULT_CHARSET;
  }
  if (design.gb2312Charset) font.lfCharSet = GB2312_CHARSET;
  HFONT created = CreateFontIndirectW(&font);
  if (!created) created = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  fonts_.emplace(key, created);
  return created;
}

}  // namespace kvz::platform::win32
