#pragma once
#include <string>

namespace kvz::client {

// Turns an entry or user name into a section or key name of the settings
// file, byte by byte: blank -> "_", "=" -> "\-", "@" -> "\A", "\" -> "\\",
// "_" -> "\_". Two different names never give the same result.
std::string EscapeKeyName(const std::string& name);

}  // namespace kvz::client
