#pragma once
#include <string>

namespace kvz::testing {

// The text of line `index` of writer `tag`: long enough, and mixed ASCII and
// Chinese, so that bytes of two writers would mix if lines were split.
inline std::string ConcurrentLineText(char tag, int index) {
  std::string text = std::string(1, tag) + "#" + std::to_string(index) + " ";
  for (int i = 0; i < 12; ++i) text += "正在验证用户名和密码 check ";
  return text;
}

}  // namespace kvz::testing
