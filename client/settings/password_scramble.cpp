#include "client/settings/password_scramble.h"

#include <array>
#include <cstdint>
#include <cstdio>

#include "client/settings/settings_errors.h"

namespace kvz::client {

namespace {

constexpr int kOffset = 34619;
constexpr std::size_t kMaxPasswordBytes = 255;
constexpr std::size_t kShortFill = 9;        // bytes 1..9 repeat a short password
constexpr std::size_t kMinimumSpan = 10;
constexpr std::size_t kUnscrambleBytes = 36;  // 18 words; length byte at most 35
constexpr std::size_t kGroupDigits = 5;

// A signed decimal number: optional sign, then digits only.
bool ParseGroup(const std::string& group, long* value) {
  std::size_t i = 0;
  bool negative = false;
  if (i < group.size() && (group[i] == '-' || group[i] == '+')) negative = group[i++] == '-';
  if (i == group.size()) return false;
  long v = 0;
  for (; i < group.size(); ++i) {
    if (group[i] < '0' || group[i] > '9') return false;
    v = v * 10 + (group[i] - '0');
  }
  *value = negative ? -v : v;
  return true;
}

}  // namespace

std::string ScramblePassword(const std::string& password, platform::IClock& clock) {
  std::array<unsigned char, 256> buffer{};
  const std::size_t length = password.size() < kMaxPasswordBytes ? password.size()
                                                                  : kMaxPasswordBytes;
  buffer[0] = static_cast<unsigned char>(length);
  for (std::size_t i = 0; i < length; ++i) buffer[1 + i] = static_cast<unsigned char>(password[i]);

  if (length == 0) {
    std::string digits = std::to_string(clock.TickCount());
    for (std::size_t i = 0; i < digits.size(); ++i) buffer[1 + i] = static_cast<unsigned char>(digits[i]);
  } else if (length <= kShortFill) {
    for (std::size_t k = 1; k <= kShortFill; ++k) buffer[k] = buffer[((k - 1) % length) + 1];
  }

  std::size_t span = length + 1;
  if (span % 2 != 0) ++span;
  if (span < kMinimumSpan) span = kMinimumSpan;

  std::string result;
  for (std::size_t i = 0; i < span / 2; ++i) {
    int word = buffer[2 * i] + 256 * buffer[2 * i + 1];
    char group[16];
    std::snprintf(group, sizeof group, "%5.5d", word + kOffset);
    result += group;
  }
  return result;
}

std::string UnscramblePassword(const std::string& scrambled) {
  std::array<unsigned char, kUnscrambleBytes> buffer;
  buffer.fill(' ');
  buffer[0] = static_cast<unsigned char>(kUnscrambleBytes - 1);

  const std::size_t groups = (scrambled.size() + kGroupDigits - 1) / kGroupDigits;
  if (groups > kUnscrambleBytes / 2) {
    throw EConvertError("The stored password is too long: " + std::to_string(scrambled.size()) +
                        " characters, at most 90");
  }
  for (std::size_t i = 0; i < groups; ++i) {
    std::string group = scrambled.substr(i * kGroupDigits, kGroupDigits);
    long value = 0;
    if (!ParseGroup(group, &value)) {
      throw EConvertError("'" + group + "' is not a valid integer value");
    }
    auto word = static_cast<std::uint16_t>(static_cast<unsigned long>(value - kOffset) & 0xFFFFu);
    buffer[2 * i] = static_cast<unsigned char>(word & 0xFF);
    buffer[2 * i + 1] = static_cast<unsigned char>(word >> 8);
  }
  const std::size_t length = buffer[0];
  if (length >= kUnscrambleBytes) {
    throw EConvertError("The stored password's length " + std::to_string(length) +
                        " is above 35");
  }
  return std::string(reinterpret_cast<const char*>(buffer.data()) + 1, length);
}

}  // namespace kvz::client
