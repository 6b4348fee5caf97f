#pragma once
#include "platform/file_system.h"

namespace kvz::platform::win32 {

// Files on the real API, always opened shared for reading, writing and
// deleting so that other programs (another copy of the client) can use them.
class Win32FileSystem : public IFileSystem {
 public:
  std::unique_ptr<IAppendFile> OpenShared(const std::string& path) override;
  std::unique_ptr<IAppendFile> CreateShared(const std::string& path) override;
  std::unique_ptr<IAppendFile> OpenOrCreateShared(const std::string& path) override;
  bool WriteWholeFile(const std::string& path, const std::string& bytes) override;
  std::optional<std::string> ReadWholeFile(const std::string& path) override;
  bool IsOrdinaryFile(const std::string& path) override;
  bool DeleteFile(const std::string& path) override;
  bool MoveFileReplace(const std::string& from, const std::string& to) override;
  bool RenameFile(const std::string& from, const std::string& to) override;
};

}  // namespace kvz::platform::win32
