#pragma once
#include <string>

namespace kvz::client {

// The profile functions drop blanks around a value and one pair of quotes
// that encloses it. A text that would lose something that way is written
// inside one more pair of double quotes, which reading takes off again, so
// the text reads back exactly as it was written.
std::string ProfileSafeValue(const std::string& text);

// Removes all bytes of value 32 or less from both ends.
std::string TrimControlAndBlanks(const std::string& text);

}  // namespace kvz::client
