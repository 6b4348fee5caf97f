#pragma once
#include <cstdint>
#include <vector>

#include "platform/clock.h"

namespace kvz::fakes {

// A clock the test sets by hand; Sleep advances the tick count and is recorded.
class FakeClock : public platform::IClock {
 public:
  std::uint32_t ticks = 0;
  platform::LocalDateTime now{2025, 12, 9, 22, 1, 5, 0};
  std::string dateSeparator = "/";
  std::string timeSeparator = ":";
  std::vector<std::uint32_t> sleeps;

  std::uint32_t TickCount() override { return ticks; }
  platform::LocalDateTime Now() override { return now; }
  void Sleep(std::uint32_t ms) override {
    sleeps.push_back(ms);
    ticks += ms;
  }
  std::string DateSeparator() override { return dateSeparator; }
  std::string TimeSeparator() override { return timeSeparator; }
};

}  // namespace kvz::fakes
