// Compiled as UTF-8: <filesystem> pulls in <chrono>, which the GBK execution
// character set cannot compile. No GBK text lives here.
#include "tests/routing/temp_drive.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace kvz::testing {

TempDrive::TempDrive() {
  std::string pattern = (std::filesystem::temp_directory_path() / "kvz-routing-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  root_ = pattern;
  std::filesystem::create_directory(root_ + "/c");
}

TempDrive::~TempDrive() {
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

bool TempDrive::Exists(const std::string& name) const { return std::filesystem::exists(OnC(name)); }

std::string TempDrive::Read(const std::string& name) const {
  std::ifstream in(OnC(name), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void TempDrive::Write(const std::string& name, const std::string& bytes) const {
  std::ofstream(OnC(name), std::ios::binary | std::ios::trunc) << bytes;
}

void TempDrive::Remove(const std::string& name) const { std::filesystem::remove(OnC(name)); }

void TempDrive::MakeFolder(const std::string& name) const {
  std::filesystem::create_directory(OnC(name));
}

void TempDrive::RemoveDriveC() const { std::filesystem::remove_all(root_ + "/c"); }

}  // namespace kvz::testing
