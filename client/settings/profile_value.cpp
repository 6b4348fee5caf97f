#include "client/settings/profile_value.h"

namespace kvz::client {

namespace {
bool IsProfileBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r'; }
}  // namespace

std::string ProfileSafeValue(const std::string& text) {
  if (text.empty()) return text;
  const bool blankAround = IsProfileBlank(text.front()) || IsProfileBlank(text.back());
  const bool quoted = text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
                      text.back() == text.front();
  return blankAround || quoted ? "\"" + text + "\"" : text;
}

std::string TrimControlAndBlanks(const std::string& text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= 32) ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32) --end;
  return text.substr(begin, end - begin);
}

}  // namespace kvz::client
