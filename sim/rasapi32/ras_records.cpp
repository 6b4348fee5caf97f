#include "ras_records.h"

namespace kvz::sim {

namespace {
struct Layout {
  DWORD size;
  const char* version;
};

template <size_t N>
const char* Find(const Layout (&layouts)[N], DWORD size) {
  for (const Layout& layout : layouts) {
    if (layout.size == size) return layout.version;
  }
  return nullptr;
}
}  // namespace

const char* RasConnLayout(DWORD size) {
  static const Layout layouts[] = {
      {sizeof(RasConnV400), "0x400"}, {sizeof(RasConnV401), "0x401"},
      {sizeof(RasConnV500), "0x500"}, {sizeof(RasConnV501), "0x501"},
      {sizeof(RasConnV600), "0x600"},
  };
  return Find(layouts, size);
}

const char* RasConnSizeHint(DWORD size) {
  if (RasConnLayout(size) == nullptr && size == sizeof(RasConnV400Unpacked)) {
    return "0x400-without-4-byte-packing";
  }
  return nullptr;
}

const char* RasDialParamsLayout(DWORD size) {
  static const Layout layouts[] = {
      {sizeof(RasDialParamsV400), "0x400"},
      {sizeof(RasDialParamsV401), "0x401"},
      {sizeof(RasDialParamsV601), "0x601"},
  };
  return Find(layouts, size);
}

}  // namespace kvz::sim
