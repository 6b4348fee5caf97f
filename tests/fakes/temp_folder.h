#pragma once
#include <ftw.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>

namespace kvz::testing {

// A fresh folder under /tmp, removed with everything in it at the end. Its
// path has no capital letters, since the log lowercases the names it is given.
class TempFolder {
 public:
  TempFolder() {
    static unsigned counter = 0;
    for (;;) {
      char name[96];
      std::snprintf(name, sizeof name, "/tmp/kvz-test-%ld-%u-%lx", static_cast<long>(::getpid()),
                    ++counter, static_cast<unsigned long>(::random()));
      if (::mkdir(name, 0700) == 0) {
        path_ = name;
        return;
      }
      if (errno != EEXIST) throw std::runtime_error("cannot create a temporary folder");
    }
  }
  ~TempFolder() {
    ::nftw(path_.c_str(), Remove, 16, FTW_DEPTH | FTW_PHYS);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

  void Write(const std::string& name, const std::string& bytes) const {
    std::FILE* f = std::fopen(File(name).c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write " + name);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  std::optional<std::string> Read(const std::string& name) const {
    std::FILE* f = std::fopen(File(name).c_str(), "rb");
    if (!f) return std::nullopt;
    std::string content;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) content.append(buffer, n);
    std::fclose(f);
    return content;
  }
  bool Exists(const std::string& name) const {
    struct stat st;
    return ::stat(File(name).c_str(), &st) == 0;
  }
  void MakeReadOnly(const std::string& name) const { ::chmod(File(name).c_str(), 0444); }

 private:
  static int Remove(const char* path, const struct stat*, int, struct FTW*) {
    ::remove(path);
    return 0;
  }
  std::string path_;
};

}  // namespace kvz::testing
