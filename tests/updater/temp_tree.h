#pragma once
#include <ftw.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>

namespace kvz::testing {

// A fresh folder under /tmp, removed with everything in it at the end. Names
// are relative to it, with "/" between folders; writing creates the folders.
class TempTree {
 public:
  TempTree() {
    char name[] = "/tmp/kvz-update-XXXXXX";
    if (!::mkdtemp(name)) throw std::runtime_error("mkdtemp failed");
    root_ = name;
  }
  ~TempTree() { ::nftw(root_.c_str(), Remove, 16, FTW_DEPTH | FTW_PHYS); }
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;

  const std::string& Root() const { return root_; }
  std::string PathOf(const std::string& name) const { return root_ + "/" + name; }

  void MakeFolder(const std::string& name) const {
    for (std::size_t slash = name.find('/'); slash != std::string::npos;
         slash = name.find('/', slash + 1)) {
      ::mkdir(PathOf(name.substr(0, slash)).c_str(), 0755);
    }
    ::mkdir(PathOf(name).c_str(), 0755);
  }
  void Write(const std::string& name, const std::string& bytes) const {
    const auto slash = name.rfind('/');
    if (slash != std::string::npos) MakeFolder(name.substr(0, slash));
    std::FILE* f = std::fopen(PathOf(name).c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write " + name);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  std::optional<std::string> Read(const std::string& name) const {
    std::FILE* f = std::fopen(PathOf(name).c_str(), "rb");
    if (!f) return std::nullopt;
    std::string content;
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) content.append(buffer, n);
    std::fclose(f);
    return content;
  }
  bool Exists(const std::string& name) const {
    struct stat st;
    return ::lstat(PathOf(name).c_str(), &st) == 0;
  }

 private:
  static int Remove(const char* path, const struct stat*, int, struct FTW*) {
    ::remove(path);
    return 0;
  }
  std::string root_;
};

}  // namespace kvz::testing
