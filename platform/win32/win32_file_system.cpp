#include "platform/win32/win32_file_system.h"

#include <windows.h>

// <windows.h> maps DeleteFile to DeleteFileA; the interface means its own name.
#undef DeleteFile

namespace kvz::platform::win32 {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

class Win32AppendFile : public IAppendFile {
 public:
  explicit Win32AppendFile(HANDLE handle) : handle_(handle) {}
  ~Win32AppendFile() override { CloseHandle(handle_); }

  // One WriteFile per record on a handle with FILE_APPEND_DATA and without
  // FILE_WRITE_DATA: Windows moves to the end and writes as one step, so
  // writers in other processes never split a record. Wine does not make that
  // step atomic (records of two writers overwrite each other there), so the
  // write also holds an exclusive lock on a byte far past any real end of
  // file, which every copy of the client takes the same way; the explicit
  // move to the end then happens inside the lock on both systems.
  bool Append(const std::string& bytes) override {
    OVERLAPPED lockAt{};
    lockAt.OffsetHigh = kLockOffsetHigh;
    const bool locked = LockFileEx(handle_, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &lockAt) != 0;
    LARGE_INTEGER zero{};
    SetFilePointerEx(handle_, zero, nullptr, FILE_END);
    DWORD written = 0;
    BOOL ok = WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    if (locked) UnlockFileEx(handle_, 0, 1, 0, &lockAt);
    return ok && written == bytes.size();
  }
  std::optional<std::uint64_t> Size() override {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(handle_, &size)) return std::nullopt;
    return static_cast<std::uint64_t>(size.QuadPart);
  }

 private:
  static constexpr DWORD kLockOffsetHigh = 0x40000000;  // byte 2^62
  HANDLE handle_;
};

// Reading rights too: LockFileEx wants a handle that may read or write, and
// FILE_APPEND_DATA alone is neither.
std::unique_ptr<IAppendFile> OpenAppend(const std::string& path, DWORD disposition) {
  HANDLE h = CreateFileA(path.c_str(),
                         FILE_READ_DATA | FILE_APPEND_DATA | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                         kShareAll, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32AppendFile>(h);
}

}  // namespace

std::unique_ptr<IAppendFile> Win32FileSystem::OpenShared(const std::string& path) {
  return OpenAppend(path, OPEN_EXISTING);
}

std::unique_ptr<IAppendFile> Win32FileSystem::CreateShared(const std::string& path) {
  return OpenAppend(path, CREATE_ALWAYS);
}

std::unique_ptr<IAppendFile> Win32FileSystem::OpenOrCreateShared(const std::string& path) {
  return OpenAppend(path, OPEN_ALWAYS);
}

bool Win32FileSystem::WriteWholeFile(const std::string& path, const std::string& bytes) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                         CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  bool ok = true;
  std::size_t done = 0;
  while (ok && done < bytes.size()) {
    DWORD chunk = static_cast<DWORD>(bytes.size() - done > 0x10000000 ? 0x10000000
                                                                       : bytes.size() - done);
    DWORD written = 0;
    ok = WriteFile(h, bytes.data() + done, chunk, &written, nullptr) && written == chunk;
    done += written;
  }
  ok = CloseHandle(h) && ok;
  return ok;
}

std::optional<std::string> Win32FileSystem::ReadWholeFile(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string content;
  char buffer[65536];
  DWORD n = 0;
  bool ok;
  while ((ok = ReadFile(h, buffer, sizeof buffer, &n, nullptr)) && n > 0) content.append(buffer, n);
  CloseHandle(h);
  if (!ok) return std::nullopt;
  return content;
}

bool Win32FileSystem::IsOrdinaryFile(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
}

bool Win32FileSystem::DeleteFile(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

bool Win32FileSystem::MoveFileReplace(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

bool Win32FileSystem::RenameFile(const std::string& from, const std::string& to) {
  return MoveFileA(from.c_str(), to.c_str()) != 0;
}

}  // namespace kvz::platform::win32
