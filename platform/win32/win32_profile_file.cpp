#include "platform/win32/win32_profile_file.h"

#include <windows.h>

#include <vector>

namespace kvz::platform::win32 {

std::string Win32ProfileFile::GetString(const std::string& section, const std::string& key,
                                        const std::string& defaultValue, std::size_t bufferSize,
                                        const std::string& path) {
  if (bufferSize == 0) return {};
  std::vector<char> buffer(bufferSize, '\0');
  DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(),
                                     buffer.data(), static_cast<DWORD>(bufferSize), path.c_str());
  if (n >= bufferSize) n = static_cast<DWORD>(bufferSize - 1);
  return std::string(buffer.data(), n);
}

bool Win32ProfileFile::WriteString(const std::string& section, const std::string& key,
                                   const std::string& value, const std::string& path) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str()) != 0;
}

}  // namespace kvz::platform::win32
