#pragma once
#include <cstdint>
#include <string>

#include "platform/profile_file.h"

namespace kvz::client {

// The settings file of one path through the profile functions. Every
// operation of the client makes its own object, uses it and drops it, so
// each read sees the file as it is at that moment.
class TIniFile {
 public:
  TIniFile(platform::IProfileFile& profile, std::string fileName)
      : profile_(profile), fileName_(std::move(fileName)) {}

  const std::string& FileName() const { return fileName_; }

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue);
  // Throws EIniFileException "Unable to write to <path>" when the write fails.
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  // A missing value, or one that is not a number, gives defaultValue.
  std::int32_t ReadInteger(const std::string& section, const std::string& key,
                           std::int32_t defaultValue);
  void WriteInteger(const std::string& section, const std::string& key, std::int32_t value);

 private:
  platform::IProfileFile& profile_;
  std::string fileName_;
};

}  // namespace kvz::client
