#pragma once
#include <string>

namespace kvz::testing {

// A fresh folder that stands for the drive roots of HostFileSystem: drive C
// is the subfolder "c". Removed with everything in it at the end.
class TempDrive {
 public:
  TempDrive();
  ~TempDrive();
  TempDrive(const TempDrive&) = delete;
  TempDrive& operator=(const TempDrive&) = delete;

  const std::string& Root() const { return root_; }
  // The host path of a file in the root of drive C.
  std::string OnC(const std::string& name) const { return root_ + "/c/" + name; }
  bool Exists(const std::string& name) const;
  std::string Read(const std::string& name) const;
  void Write(const std::string& name, const std::string& bytes) const;
  void Remove(const std::string& name) const;
  void MakeFolder(const std::string& name) const;
  void RemoveDriveC() const;

 private:
  std::string root_;
};

}  // namespace kvz::testing
