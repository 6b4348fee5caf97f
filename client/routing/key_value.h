#pragma once
#include <string>

namespace kvz::client {

// The two labels of the captured text whose line remainders are the values.
// Both are 36 characters and end in a blank; they match only written exactly so.
inline constexpr const char kGatewayKey[] = "Default Gateway . . . . . . . . . : ";
inline constexpr const char kAddressKey[] = "IP Address. . . . . . . . . . . . : ";

// Sets `result` to what stands between occurrence number `occurrence`
// (decimal text, counted from 1) of `key` in `text` and the next
// `terminator`. `result` is left alone when either is missing. Searches are
// exact and case-sensitive, and a key never matches from the second byte of a
// GBK double-byte character.
void ExtractKeyValue(const std::string& text, const std::string& key, const std::string& terminator,
                     std::string& result, const std::string& occurrence);

// The local gateway (first gateway line) and the dial-up link's own address
// (second address line) of a captured text; empty when not found.
struct NetworkValues {
  std::string gateway;
  std::string address;
};
NetworkValues ReadNetworkValues(const std::string& capturedText);

// "0" when the value has the shape of a dotted address (four groups, three
// dots, the first three groups 1 to 3 characters long), else "1".
std::string CheckAddressShape(const std::string& value);

}  // namespace kvz::client
