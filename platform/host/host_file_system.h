#pragma once
#include <string>

#include "platform/file_system.h"

namespace kvz::platform {

// Real files on Linux. Windows paths are mapped by HostPath with driveRoot.
class HostFileSystem : public IFileSystem {
 public:
  explicit HostFileSystem(std::string driveRoot = {}) : driveRoot_(std::move(driveRoot)) {}

  std::unique_ptr<IAppendFile> OpenShared(const std::string& path) override;
  std::unique_ptr<IAppendFile> CreateShared(const std::string& path) override;
  std::unique_ptr<IAppendFile> OpenOrCreateShared(const std::string& path) override;
  bool WriteWholeFile(const std::string& path, const std::string& bytes) override;
  std::optional<std::string> ReadWholeFile(const std::string& path) override;
  bool IsOrdinaryFile(const std::string& path) override;
  bool DeleteFile(const std::string& path) override;
  bool MoveFileReplace(const std::string& from, const std::string& to) override;
  bool RenameFile(const std::string& from, const std::string& to) override;

  std::string Map(const std::string& path) const;

 private:
  std::string driveRoot_;
};

}  // namespace kvz::platform
