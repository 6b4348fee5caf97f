#pragma once
#include <windows.h>

#include "script.h"

namespace kvz::driver {

inline constexpr DWORD kDefaultTimeoutMs = 10000;
inline constexpr DWORD kPollIntervalMs = 50;

// The command's timeout=MS option, or the default.
DWORD TimeoutOf(const Command& command);

// Checks `condition` until it holds or timeoutMs has passed; it is always
// checked at least once, and once more at the end of the time.
template <typename Condition>
bool Poll(DWORD timeoutMs, Condition condition) {
  ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= deadline) return false;
    Sleep(kPollIntervalMs);
  }
}

}  // namespace kvz::driver
