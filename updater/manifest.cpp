#include "updater/manifest.h"

namespace kvz::updater {

std::vector<std::string> SplitManifestLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string::size_type start = 0;
  for (;;) {
    auto end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      return lines;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
}

namespace {

bool IsGbkLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

// A segment made of dots and blanks only, with two dots or more, names the
// parent folder once Windows has trimmed its trailing dots and blanks.
bool ClimbsUp(const std::string& segment) {
  int dots = 0;
  for (char c : segment) {
    if (c == '.') {
      ++dots;
    } else if (c != ' ') {
      return false;
    }
  }
  return dots >= 2;
}

}  // namespace

bool IsSafeManifestName(const std::string& name) {
  if (!name.empty() && (name[0] == '\\' || name[0] == '/')) return false;
  std::string segment;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (IsGbkLeadByte(c) && i + 1 < name.size()) {
      segment += name[i];
      segment += name[++i];
      continue;
    }
    if (c == ':') return false;
    if (c == '\\' || c == '/') {
      if (ClimbsUp(segment)) return false;
      segment.clear();
      continue;
    }
    segment += name[i];
  }
  return !ClimbsUp(segment);
}

}  // namespace kvz::updater
