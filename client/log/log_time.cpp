#include "client/log/log_time.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace kvz::client {

namespace {

constexpr std::int64_t kMsPerDay = 86400000;

// Days since 1 January 1970 of a date of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

std::string TwoDigits(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d", value);
  return text;
}

}  // namespace

double DateTimeValue(const platform::LocalDateTime& when) {
  const std::int64_t days = DaysFromCivil(when.year, static_cast<unsigned>(when.month),
                                          static_cast<unsigned>(when.day)) -
                            DaysFromCivil(1899, 12, 30);
  const std::int64_t ms = ((when.hour * 60 + when.minute) * 60 + when.second) * 1000LL +
                          when.millisecond;
  return static_cast<double>(days) + static_cast<double>(ms) / kMsPerDay;
}

std::string FormatElapsedDays(double elapsed, const std::string& timeSeparator) {
  // Whole milliseconds first, so 8:55 stored as a fraction of a day does not
  // come out one second short.
  const auto total = static_cast<std::int64_t>(std::llround(std::fabs(elapsed) * kMsPerDay));
  const std::int64_t days = total / kMsPerDay;
  const std::int64_t ms = total % kMsPerDay;
  std::string out;
  if (days != 0) out = std::to_string(elapsed < 0 ? -days : days) + " days ";
  const int hours = static_cast<int>(ms / 3600000);
  const int minutes = static_cast<int>(ms / 60000 % 60);
  const int seconds = static_cast<int>(ms / 1000 % 60);
  return out + TwoDigits(hours) + timeSeparator + TwoDigits(minutes) + timeSeparator +
         TwoDigits(seconds);
}

std::string LogDatePiece(const platform::LocalDateTime& when, const std::string& separator) {
  return " " + TwoDigits(when.day) + separator + TwoDigits(when.month) + separator +
         TwoDigits(when.year % 100);
}

std::string LogTimePiece(const platform::LocalDateTime& when, const std::string& separator) {
  return " " + TwoDigits(when.hour) + separator + TwoDigits(when.minute) + separator +
         TwoDigits(when.second);
}

}  // namespace kvz::client
