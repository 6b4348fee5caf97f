#include "updater/need_update.h"

#include <algorithm>

namespace kvz::updater {

std::vector<std::string> SplitVersion(const std::string& version) {
  std::vector<std::string> parts;
  if (version.empty()) return parts;
  std::string::size_type start = 0;
  for (;;) {
    auto dot = version.find('.', start);
    if (dot == std::string::npos) {
      parts.push_back(version.substr(start));
      return parts;
    }
    parts.push_back(version.substr(start, dot - start));
    start = dot + 1;
  }
}

bool NeedUpdate(const std::string& installed, const std::string& server) {
  const auto a = SplitVersion(installed);
  const auto b = SplitVersion(server);
  const auto places = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < places; ++i) {
    // std::string compares through char_traits<char>, which orders bytes as
    // unsigned values: character codes, digits never taken as numbers.
    if (b[i].compare(a[i]) > 0) return true;
  }
  return false;
}

}  // namespace kvz::updater
