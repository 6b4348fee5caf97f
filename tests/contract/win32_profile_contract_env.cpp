// The Windows half of the profile contract: the real profile functions on
// files in a fresh folder under the temporary folder.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/win32_profile_file.h"
#include "tests/contract/profile_contract_env.h"

namespace kvz::contract {
namespace {

std::string NewFolder() {
  static unsigned counter = 0;
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  std::string base = std::string(temp) + "kvz-contract-" + std::to_string(GetCurrentProcessId()) +
                     "-" + std::to_string(GetTickCount()) + "-";
  for (;;) {
    std::string folder = base + std::to_string(++counter);
    if (CreateDirectoryA(folder.c_str(), nullptr)) return folder;
  }
}

void RemoveFolder(const std::string& folder) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      std::string path = folder + "\\" + name;
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(path.c_str());
    } while (FindNextFileA(find, &data));
    FindClose(find);
  }
  RemoveDirectoryA(folder.c_str());
}

class Win32Env : public ProfileContractEnv {
 public:
  Win32Env() : folder_(NewFolder()) {}
  ~Win32Env() override {
    for (HANDLE h : held_) CloseHandle(h);
    RemoveFolder(folder_);
  }

  platform::IProfileFile& Profile() override { return profile_; }
  std::string PathOf(const std::string& name) override { return folder_ + "\\" + name; }
  std::string PathInMissingFolder(const std::string& name) override {
    return folder_ + "\\missing\\" + name;
  }
  void WriteRaw(const std::string& name, const std::string& bytes) override {
    HANDLE h = CreateFileA(PathOf(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
  }
  std::optional<std::string> ReadRaw(const std::string& name) override {
    HANDLE h = CreateFileA(PathOf(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string content;
    char buffer[4096];
    DWORD n = 0;
    while (ReadFile(h, buffer, sizeof buffer, &n, nullptr) && n > 0) content.append(buffer, n);
    CloseHandle(h);
    return content;
  }
  // Wine run by root ignores the read-only attribute, so a handle that shares
  // reading only is held as well: writers are refused there too.
  void MakeReadOnly(const std::string& name) override {
    SetFileAttributesA(PathOf(name).c_str(), FILE_ATTRIBUTE_READONLY);
    HANDLE h = CreateFileA(PathOf(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) held_.push_back(h);
  }
  bool AnsiIsGbk() override { return GetACP() == 936; }

 private:
  std::string folder_;
  std::vector<HANDLE> held_;
  platform::win32::Win32ProfileFile profile_;
};

}  // namespace

std::unique_ptr<ProfileContractEnv> MakeProfileContractEnv() { return std::make_unique<Win32Env>(); }

}  // namespace kvz::contract
