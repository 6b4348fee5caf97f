#pragma once
#include <string>

#include "platform/profile_file.h"

namespace kvz::updater {

// The updater's settings file, read and written through the profile
// functions; it keeps no copy of the file's contents.
class cIniFile {
 public:
  explicit cIniFile(platform::IProfileFile& profile) : m_oProfile(profile) {}

  const std::string& INIFile() const { return m_sIniFile; }
  void INIFile(const std::string& New_IniPath) { m_sIniFile = New_IniPath; }

  // The value as a 1000-byte profile buffer holds it: the value (at most
  // 999 bytes), one NUL, then blanks up to the buffer's end.
  std::string GetFile(const std::string& strSection, const std::string& strKey);
  // Writes the value; a failed write is lost without notice.
  void WriteFile(const std::string& strSection, const std::string& strKey,
                 const std::string& strValue);
  void CreateIni(const std::string& strDrv, const std::string& strDir);

  static constexpr std::size_t kBufferSize = 1000;

 private:
  static std::string BuildPath(std::string head, std::string part);

  platform::IProfileFile& m_oProfile;
  std::string m_sIniFile;
};

// The update run's reading of GetFile's buffer: blanks removed at both ends,
// then the last character (the NUL) dropped.
std::string SettingFromBuffer(const std::string& buffer);

}  // namespace kvz::updater
