#include "client/settings/ini_file.h"

#include "client/settings/integer_text.h"
#include "client/settings/settings_errors.h"

namespace kvz::client {

namespace {
// The profile read buffer of the settings class: values are cut to 2047 bytes.
constexpr std::size_t kReadBuffer = 2048;
}  // namespace

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) {
  return profile_.GetString(section, key, defaultValue, kReadBuffer, fileName_);
}

void TIniFile::WriteString(const std::string& section, const std::string& key,
                           const std::string& value) {
  if (!profile_.WriteString(section, key, value, fileName_)) {
    throw EIniFileException("Unable to write to " + fileName_);
  }
}

std::int32_t TIniFile::ReadInteger(const std::string& section, const std::string& key,
                                   std::int32_t defaultValue) {
  return ParseInteger(ReadString(section, key, "")).value_or(defaultValue);
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key,
                            std::int32_t value) {
  WriteString(section, key, std::to_string(value));
}

}  // namespace kvz::client
