#include "client/settings/escape_key_name.h"

namespace kvz::client {

std::string EscapeKeyName(const std::string& name) {
  std::string out;
  out.reserve(name.size() * 2);
  for (char c : name) {
    switch (c) {
      case ' ': out += '_'; break;
      case '=': out += "\\-"; break;
      case '@': out += "\\A"; break;
      case '\\': out += "\\\\"; break;
      case '_': out += "\\_"; break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace kvz::client
