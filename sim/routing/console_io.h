#pragma once
#include <windows.h>

#include <string>

namespace kvz::sim {

// The value of an environment variable; empty when it is not set.
inline std::string EnvironmentText(const char* name) {
  char buffer[32768];
  DWORD n = GetEnvironmentVariableA(name, buffer, sizeof buffer);
  return n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string();
}

// Writes the bytes unchanged (no text-mode translation); false on a failed write.
inline bool WriteAll(HANDLE handle, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD written = 0;
    if (!WriteFile(handle, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &written,
                   nullptr) ||
        written == 0) {
      return false;
    }
    done += written;
  }
  return true;
}

// Everything that can be read from the handle until its end (a closed pipe
// counts as the end).
inline std::string ReadAll(HANDLE handle) {
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(handle, buffer, sizeof buffer, &got, nullptr) && got > 0) {
    bytes.append(buffer, got);
  }
  return bytes;
}

inline void ErrorLine(const std::string& text) {
  WriteAll(GetStdHandle(STD_ERROR_HANDLE), text + "\r\n");
}

}  // namespace kvz::sim
