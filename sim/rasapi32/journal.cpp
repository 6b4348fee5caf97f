#include "journal.h"

#include <windows.h>

#include <cstdio>

namespace kvz::sim {

namespace {

std::wstring EnvironmentValue(const wchar_t* name) {
  wchar_t buffer[MAX_PATH * 2];
  DWORD n = GetEnvironmentVariableW(name, buffer, sizeof buffer / sizeof buffer[0]);
  if (n == 0 || n >= sizeof buffer / sizeof buffer[0]) return {};
  return std::wstring(buffer, n);
}

std::string Utf8FromAnsi(const std::string& ansi) {
  if (ansi.empty()) return ansi;
  int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), n);
  int m = WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(m), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, utf8.data(), m, nullptr, nullptr);
  return utf8;
}

}  // namespace

void JournalLine(const std::string& line) {
  static const std::wstring path = EnvironmentValue(L"KVZ_SIM_JOURNAL");
  if (path.empty()) return;
  // Opened per line in append mode, so readers see every line as soon as the
  // call returns and lines of concurrent threads never interleave.
  HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  std::string bytes = line + "\n";
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

std::string Quoted(const char* ansi, size_t limit) {
  if (ansi == nullptr) return "(null)";
  size_t n = 0;
  while (n < limit && ansi[n] != '\0') ++n;
  std::string out = "\"";
  for (char c : Utf8FromAnsi(std::string(ansi, n))) {
    if (c == '\n' || c == '\r') {
      out += c == '\n' ? "\\n" : "\\r";
      continue;
    }
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

std::string Hex(std::uintptr_t value) {
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, "0x%llx", static_cast<unsigned long long>(value));
  return buffer;
}

std::string Pointer(const void* pointer) {
  return pointer == nullptr ? "0" : Hex(reinterpret_cast<std::uintptr_t>(pointer));
}

}  // namespace kvz::sim
