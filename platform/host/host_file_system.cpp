#include "platform/host/host_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>

#include "platform/host/host_path.h"

namespace kvz::platform {

std::string HostPath(const std::string& windowsPath, const std::string& driveRoot) {
  std::string path = windowsPath;
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]))) {
    std::string drive(1, static_cast<char>(std::tolower(static_cast<unsigned char>(path[0]))));
    return driveRoot + "/" + drive + path.substr(2);
  }
  return path;
}

namespace {

class HostAppendFile : public IAppendFile {
 public:
  explicit HostAppendFile(int fd) : fd_(fd) {}
  ~HostAppendFile() override { ::close(fd_); }

  bool Append(const std::string& bytes) override {
    // O_APPEND makes the seek and the write one step, so writers never overlap.
    ssize_t written;
    do {
      written = ::write(fd_, bytes.data(), bytes.size());
    } while (written < 0 && errno == EINTR);
    return written == static_cast<ssize_t>(bytes.size());
  }
  std::optional<std::uint64_t> Size() override {
    struct stat st;
    if (::fstat(fd_, &st) != 0) return std::nullopt;
    return static_cast<std::uint64_t>(st.st_size);
  }

 private:
  int fd_;
};

std::unique_ptr<IAppendFile> OpenAppend(const std::string& path, int extraFlags) {
  int fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_CLOEXEC | extraFlags, 0644);
  if (fd < 0) return nullptr;
  return std::make_unique<HostAppendFile>(fd);
}

}  // namespace

std::string HostFileSystem::Map(const std::string& path) const { return HostPath(path, driveRoot_); }

std::unique_ptr<IAppendFile> HostFileSystem::OpenShared(const std::string& path) {
  return OpenAppend(Map(path), 0);
}

std::unique_ptr<IAppendFile> HostFileSystem::CreateShared(const std::string& path) {
  return OpenAppend(Map(path), O_CREAT | O_TRUNC);
}

std::unique_ptr<IAppendFile> HostFileSystem::OpenOrCreateShared(const std::string& path) {
  return OpenAppend(Map(path), O_CREAT);
}

bool HostFileSystem::WriteWholeFile(const std::string& path, const std::string& bytes) {
  std::FILE* f = std::fopen(Map(path).c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = (std::fclose(f) == 0) && ok;
  return ok;
}

std::optional<std::string> HostFileSystem::ReadWholeFile(const std::string& path) {
  std::FILE* f = std::fopen(Map(path).c_str(), "rb");
  if (!f) return std::nullopt;
  std::string content;
  char buffer[65536];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) content.append(buffer, n);
  bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) return std::nullopt;
  return content;
}

bool HostFileSystem::IsOrdinaryFile(const std::string& path) {
  struct stat st;
  return ::stat(Map(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool HostFileSystem::DeleteFile(const std::string& path) { return ::unlink(Map(path).c_str()) == 0; }

bool HostFileSystem::MoveFileReplace(const std::string& from, const std::string& to) {
  return std::rename(Map(from).c_str(), Map(to).c_str()) == 0;
}

bool HostFileSystem::RenameFile(const std::string& from, const std::string& to) {
  // Windows MoveFile semantics: refuse an existing target.
  std::string target = Map(to);
  struct stat st;
  if (::lstat(target.c_str(), &st) == 0) return false;
  return std::rename(Map(from).c_str(), target.c_str()) == 0;
}

}  // namespace kvz::platform
