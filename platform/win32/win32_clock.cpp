#include "platform/win32/win32_clock.h"

#include <windows.h>

namespace kvz::platform::win32 {

namespace {

// The log's date and time pieces have room for a one-byte separator, so only
// a single-byte (ASCII) separator is taken; anything else gives the fallback.
std::string LocaleSeparator(LCTYPE type, const char* fallback) {
  char buffer[8] = {};
  int n = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer);
  if (n < 2) return fallback;
  auto first = static_cast<unsigned char>(buffer[0]);
  if (first == 0 || first >= 0x80) return fallback;
  return std::string(1, buffer[0]);
}

}  // namespace

std::uint32_t Win32Clock::TickCount() { return GetTickCount(); }

LocalDateTime Win32Clock::Now() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

void Win32Clock::Sleep(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

std::string Win32Clock::DateSeparator() { return LocaleSeparator(LOCALE_SDATE, "/"); }

std::string Win32Clock::TimeSeparator() { return LocaleSeparator(LOCALE_STIME, ":"); }

}  // namespace kvz::platform::win32
