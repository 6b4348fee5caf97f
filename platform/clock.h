#pragma once
#include <cstdint>
#include <string>

namespace kvz::platform {

struct LocalDateTime {
  int year = 0, month = 0, day = 0;
  int hour = 0, minute = 0, second = 0, millisecond = 0;
};

class IClock {
 public:
  virtual ~IClock() = default;
  // GetTickCount: milliseconds since the system started, wrapping at 2^32.
  virtual std::uint32_t TickCount() = 0;
  virtual LocalDateTime Now() = 0;
  virtual void Sleep(std::uint32_t milliseconds) = 0;
  // The regional date and time separators ("/" and ":" where none is set).
  virtual std::string DateSeparator() = 0;
  virtual std::string TimeSeparator() = 0;
};

}  // namespace kvz::platform
