#include "updater/ini_file.h"

namespace kvz::updater {

std::string cIniFile::GetFile(const std::string& strSection, const std::string& strKey) {
  std::string value = m_oProfile.GetString(strSection, strKey, "", kBufferSize, m_sIniFile);
  // The profile call already cuts to kBufferSize - 1; this keeps the buffer
  // shape even for an implementation that does not.
  if (value.size() > kBufferSize - 1) value.resize(kBufferSize - 1);
  std::string buffer(kBufferSize, ' ');
  buffer.replace(0, value.size(), value);
  buffer[value.size()] = '\0';
  return buffer;
}

void cIniFile::WriteFile(const std::string& strSection, const std::string& strKey,
                         const std::string& strValue) {
  m_oProfile.WriteString(strSection, strKey, strValue, m_sIniFile);
}

void cIniFile::CreateIni(const std::string& strDrv, const std::string& strDir) {
  INIFile(BuildPath(strDrv, strDir));
}

std::string cIniFile::BuildPath(std::string head, std::string part) {
  while (!head.empty() && head.back() == '\\') head.pop_back();
  std::string::size_type skip = 0;
  while (skip < part.size() && part[skip] == '\\') ++skip;
  return head + "\\" + part.substr(skip);
}

std::string SettingFromBuffer(const std::string& buffer) {
  const auto first = buffer.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const auto last = buffer.find_last_not_of(' ');
  std::string trimmed = buffer.substr(first, last - first + 1);
  trimmed.pop_back();
  return trimmed;
}

}  // namespace kvz::updater
