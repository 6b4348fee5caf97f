#pragma once
#include <memory>
#include <optional>
#include <string>

#include "platform/profile_file.h"

namespace kvz::contract {

// What the profile-file rules need from the platform they run on: the profile
// implementation under test and raw access to files in a fresh folder.
class ProfileContractEnv {
 public:
  virtual ~ProfileContractEnv() = default;
  virtual platform::IProfileFile& Profile() = 0;
  // The path of `name` in this test's own folder, as the profile calls take it.
  virtual std::string PathOf(const std::string& name) = 0;
  // A path whose folder does not exist.
  virtual std::string PathInMissingFolder(const std::string& name) = 0;
  virtual void WriteRaw(const std::string& name, const std::string& bytes) = 0;
  virtual std::optional<std::string> ReadRaw(const std::string& name) = 0;
  // Gives the file the read-only attribute.
  virtual void MakeReadOnly(const std::string& name) = 0;
  // Whether the ANSI code page is GBK, which the double-byte rules assume.
  virtual bool AnsiIsGbk() = 0;
};

// Made once per test by the platform's half of the suite.
std::unique_ptr<ProfileContractEnv> MakeProfileContractEnv();

}  // namespace kvz::contract
