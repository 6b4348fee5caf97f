#include "client/log/log_time.h"

#include <gtest/gtest.h>

namespace kvz::client {
namespace {

TEST(LogTime, FormatElapsed) {
  const struct {
    double days;
    const char* text;
  } cases[] = {
      {0, "00:00:00"},
      {535.0 / 86400, "00:08:55"},
      {25.0 / 24, "1 days 01:00:00"},
      {1, "1 days 00:00:00"},
      {2 + (23 * 3600 + 59 * 60 + 59) / 86400.0, "2 days 23:59:59"},
      {0.9999999999, "1 days 00:00:00"},
      {-(61.0 / 86400), "00:01:01"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatElapsedDays(c.days, ":"), c.text) << c.days;
  EXPECT_EQ(FormatElapsedDays(535.0 / 86400, "."), "00.08.55");
}

TEST(LogTime, DateTimeValueCountsDaysAndTheFractionOfOne) {
  platform::LocalDateTime epoch{1899, 12, 30, 0, 0, 0, 0};
  EXPECT_DOUBLE_EQ(DateTimeValue(epoch), 0);
  platform::LocalDateTime a{2025, 12, 9, 22, 1, 5, 0};
  platform::LocalDateTime b{2026, 3, 1, 6, 0, 0, 500};  // across a year end and February
  double diff = DateTimeValue(b) - DateTimeValue(a);
  EXPECT_EQ(FormatElapsedDays(diff, ":"), "81 days 07:58:55");
  EXPECT_DOUBLE_EQ(DateTimeValue({2000, 1, 1, 12, 0, 0, 0}), 36526.5);
}

TEST(LogTime, DateAndTimePieces) {
  platform::LocalDateTime when{2009, 3, 7, 4, 5, 6, 0};
  EXPECT_EQ(LogDatePiece(when, "/"), " 07/03/09");
  EXPECT_EQ(LogTimePiece(when, ":"), " 04:05:06");
  EXPECT_EQ(LogDatePiece(when, "-"), " 07-03-09");
}

}  // namespace
}  // namespace kvz::client
