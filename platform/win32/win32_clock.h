#pragma once
#include "platform/clock.h"

namespace kvz::platform::win32 {

// GetTickCount, GetLocalTime, Sleep and the user's regional separators.
class Win32Clock : public IClock {
 public:
  std::uint32_t TickCount() override;
  LocalDateTime Now() override;
  void Sleep(std::uint32_t milliseconds) override;
  std::string DateSeparator() override;
  std::string TimeSeparator() override;
};

}  // namespace kvz::platform::win32
