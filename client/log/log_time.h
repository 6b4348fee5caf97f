#pragma once
#include <string>

#include "platform/clock.h"

namespace kvz::client {

// A local date and time as days since 30 December 1899, the fraction being
// the time of day: differences of two such values are elapsed days.
double DateTimeValue(const platform::LocalDateTime& when);

// An elapsed time in days as "[D days ]hh:nn:ss" with the given separator.
std::string FormatElapsedDays(double elapsed, const std::string& timeSeparator);

// " dd/mm/yy" and " hh:nn:ss" with the given separators.
std::string LogDatePiece(const platform::LocalDateTime& when, const std::string& separator);
std::string LogTimePiece(const platform::LocalDateTime& when, const std::string& separator);

}  // namespace kvz::client
