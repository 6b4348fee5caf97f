#pragma once
#include "platform/clock.h"

namespace kvz::platform {

// The Linux clock: monotonic milliseconds as the tick count, local time.
class HostClock : public IClock {
 public:
  std::uint32_t TickCount() override;
  LocalDateTime Now() override;
  void Sleep(std::uint32_t milliseconds) override;
  std::string DateSeparator() override { return "/"; }
  std::string TimeSeparator() override { return ":"; }
};

}  // namespace kvz::platform
