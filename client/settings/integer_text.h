#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace kvz::client {

// Reads a 32-bit integer the way the settings file's integer values have
// always been read: leading blanks, an optional sign, decimal digits or a hex
// number after "$", "x" or "0x" (up to 32 bits, taken as signed). Anything
// else, trailing text or a decimal value outside the 32-bit range included,
// is no number.
std::optional<std::int32_t> ParseInteger(const std::string& text);

}  // namespace kvz::client
