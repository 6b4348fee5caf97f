#pragma once
#include <string>

#include "platform/clock.h"

namespace kvz::client {

// The stored form of a remembered password: decimal digits, five per 16-bit
// word of a length-prefixed buffer. The tick count is read only for the
// empty password, whose filler it provides.
std::string ScramblePassword(const std::string& password, platform::IClock& clock);

// The password back from its stored form. Throws EConvertError when a group is
// not a decimal number, when the text has more than 18 groups, or when its
// length byte asks for more than 35 bytes.
std::string UnscramblePassword(const std::string& scrambled);

}  // namespace kvz::client
