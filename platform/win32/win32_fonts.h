#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "ui/control.h"

namespace kvz::platform::win32 {

// Design data is in pixels at 96 dots per inch. The program declares itself
// DPI aware, so it scales the design itself instead of being stretched.
int ScalePx(int designPixels);

// Fonts made from FontSpec, created once each and deleted with the cache.
class FontCache {
 public:
  FontCache() = default;
  FontCache(const FontCache&) = delete;
  FontCache& operator=(const FontCache&) = delete;
  ~FontCache();

  HFONT Get(const ui::FontSpec& design);

 private:
  using Key = std::tuple<std::string, int, bool, bool>;
  std::map<Key, HFONT> fonts_;
};

}  // namespace kvz::platform::win32
