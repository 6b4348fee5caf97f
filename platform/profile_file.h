#pragma once
#include <cstddef>
#include <string>

namespace kvz::platform {

// The Windows profile functions on one INI file given by path.
class IProfileFile {
 public:
  virtual ~IProfileFile() = default;
  // GetPrivateProfileStringA with a buffer of bufferSize bytes: the value (or
  // the default) cut to bufferSize - 1 bytes.
  virtual std::string GetString(const std::string& section, const std::string& key,
                                const std::string& defaultValue, std::size_t bufferSize,
                                const std::string& path) = 0;
  // WritePrivateProfileStringA; false when the file could not be written.
  virtual bool WriteString(const std::string& section, const std::string& key,
                           const std::string& value, const std::string& path) = 0;
};

}  // namespace kvz::platform
