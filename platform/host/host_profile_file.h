#pragma once
#include <string>

#include "platform/profile_file.h"

namespace kvz::platform {

// The Windows profile functions on real Linux files: names match without
// regard to ASCII case, blanks around names and values do not count, the first
// of duplicate keys wins, one pair of quotes around a value is dropped. A write
// edits the file in place (order kept, nothing deleted) and replaces it through
// a temporary file, so a failed write leaves the old content whole.
// Windows paths are mapped by HostPath with driveRoot.
class HostProfileFile : public IProfileFile {
 public:
  explicit HostProfileFile(std::string driveRoot = {}) : driveRoot_(std::move(driveRoot)) {}

  std::string GetString(const std::string& section, const std::string& key,
                        const std::string& defaultValue, std::size_t bufferSize,
                        const std::string& path) override;
  bool WriteString(const std::string& section, const std::string& key, const std::string& value,
                   const std::string& path) override;

 private:
  std::string driveRoot_;
};

}  // namespace kvz::platform
