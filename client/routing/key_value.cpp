#include "client/routing/key_value.h"

#include <cstddef>

namespace kvz::client {
namespace {

constexpr std::size_t kNotFound = std::string::npos;

bool IsGbkLeadByte(char c) {
  auto b = static_cast<unsigned char>(c);
  return b >= 0x81 && b <= 0xFE;
}

// First match of `needle` at or after `from` that starts on a character
// boundary. `from` must itself be a boundary. An empty needle is never found.
std::size_t FindAtCharStart(const std::string& text, const std::string& needle, std::size_t from) {
  if (needle.empty()) return kNotFound;
  std::size_t i = from;
  while (i + needle.size() <= text.size()) {
    if (text.compare(i, needle.size(), needle) == 0) return i;
    i += (IsGbkLeadByte(text[i]) && i + 1 < text.size()) ? 2 : 1;
  }
  return kNotFound;
}

// The occurrence number as decimal text; anything that is not a number
// counts as the first occurrence. Large numbers are capped: no text holds
// that many keys anyway.
long ParseOccurrence(const std::string& text) {
  long n = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return 1;
    if (n < 1000000000L) n = n * 10 + (c - '0');
  }
  return text.empty() ? 1 : n;
}

}  // namespace

void ExtractKeyValue(const std::string& text, const std::string& key, const std::string& terminator,
                     std::string& result, const std::string& occurrence) {
  long n = ParseOccurrence(occurrence);
  // Each skipped occurrence moves the search past that key: occurrences never
  // overlap, and the value of occurrence n is read after n - 1 skipped ones.
  std::size_t rest = 0;
  do {
    std::size_t at = FindAtCharStart(text, key, rest);
    if (at == kNotFound) return;
    rest = at + key.size();
  } while (--n > 0);
  std::size_t end = FindAtCharStart(text, terminator, rest);
  if (end == kNotFound) return;
  result = text.substr(rest, end - rest);
}

NetworkValues ReadNetworkValues(const std::string& capturedText) {
  // The adapter list shows the local network ahead of the dial-up link.
  NetworkValues values;
  ExtractKeyValue(capturedText, kGatewayKey, "\r\n", values.gateway, "1");
  ExtractKeyValue(capturedText, kAddressKey, "\r\n", values.address, "2");
  return values;
}

std::string CheckAddressShape(const std::string& value) {
  std::size_t groupStart = 0;
  for (int dot = 0; dot < 3; ++dot) {
    std::size_t at = value.find('.', groupStart);
    if (at == kNotFound) return "1";
    std::size_t groupLength = at - groupStart;
    if (groupLength < 1 || groupLength > 3) return "1";
    groupStart = at + 1;
  }
  return value.find('.', groupStart) == kNotFound ? "0" : "1";
}

}  // namespace kvz::client
