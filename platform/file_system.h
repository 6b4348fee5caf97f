#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace kvz::platform {

// A file kept open for appending whole records, shared with other processes.
class IAppendFile {
 public:
  virtual ~IAppendFile() = default;
  // One append-mode write of all bytes: concurrent writers never interleave
  // inside a record. False when the write failed or was short.
  virtual bool Append(const std::string& bytes) = 0;
  virtual std::optional<std::uint64_t> Size() = 0;
};

class IFileSystem {
 public:
  virtual ~IFileSystem() = default;
  // Opens an existing file for shared appending, keeping its content.
  virtual std::unique_ptr<IAppendFile> OpenShared(const std::string& path) = 0;
  // Creates the file empty (an existing one is emptied) for shared appending.
  virtual std::unique_ptr<IAppendFile> CreateShared(const std::string& path) = 0;
  // Opens the file for shared appending, creating it empty only when it does
  // not exist: a copy that created it a moment earlier keeps what it wrote.
  virtual std::unique_ptr<IAppendFile> OpenOrCreateShared(const std::string& path) {
    auto file = OpenShared(path);
    return file ? std::move(file) : CreateShared(path);
  }
  // Creates or truncates the file and writes all bytes; false on any failure.
  virtual bool WriteWholeFile(const std::string& path, const std::string& bytes) = 0;
  // The whole content, or nothing when the file cannot be opened or read.
  virtual std::optional<std::string> ReadWholeFile(const std::string& path) = 0;
  // True for an ordinary file (not a folder, not hidden or system).
  virtual bool IsOrdinaryFile(const std::string& path) = 0;
  virtual bool DeleteFile(const std::string& path) = 0;
  // MoveFileExA with MOVEFILE_REPLACE_EXISTING.
  virtual bool MoveFileReplace(const std::string& from, const std::string& to) = 0;
  // Plain rename; fails when the target exists.
  virtual bool RenameFile(const std::string& from, const std::string& to) = 0;
};

}  // namespace kvz::platform
