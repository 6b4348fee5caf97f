#pragma once
#include "platform/profile_file.h"

namespace kvz::platform::win32 {

// GetPrivateProfileStringA / WritePrivateProfileStringA.
class Win32ProfileFile : public IProfileFile {
 public:
  std::string GetString(const std::string& section, const std::string& key,
                        const std::string& defaultValue, std::size_t bufferSize,
                        const std::string& path) override;
  bool WriteString(const std::string& section, const std::string& key, const std::string& value,
                   const std::string& path) override;
};

}  // namespace kvz::platform::win32
