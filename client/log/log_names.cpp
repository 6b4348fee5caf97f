#include "client/log/log_names.h"

namespace kvz::client {

namespace {

// Lowercases the ASCII letters A to Z. The second byte of a double-byte GBK
// character can look like a capital letter; it is part of that character and
// stays, or a Chinese folder name would turn into another one.
std::string LowerAscii(const std::string& text) {
  std::string out = text;
  for (std::size_t i = 0; i < out.size(); ++i) {
    auto c = static_cast<unsigned char>(out[i]);
    if (c >= 0x81 && c <= 0xFE) {
      ++i;
    } else if (c >= 'A' && c <= 'Z') {
      out[i] = static_cast<char>(c - 'A' + 'a');
    }
  }
  return out;
}

bool EndsWithExeAnyCase(const std::string& name) {
  if (name.size() <= 4) return false;
  std::string tail = LowerAscii(name.substr(name.size() - 4));
  return tail == ".exe";
}

}  // namespace

std::string LogFileNameFor(const std::string& fileName, const std::string& moduleFileName) {
  std::string name;
  if (!fileName.empty()) {
    name = fileName;
  } else {
    name = LowerAscii(moduleFileName);
    std::size_t exe = name.find(".exe");
    if (exe != std::string::npos) name.erase(exe);
    name += ".log";
  }
  if (EndsWithExeAnyCase(name)) name.replace(name.size() - 3, 3, "log");
  return LowerAscii(name);
}

std::string OldFileNameFor(const std::string& logFileName) {
  std::size_t dot = logFileName.rfind('.');
  if (dot == std::string::npos) return logFileName + ".old";
  return logFileName.substr(0, dot + 1) + "old";
}

}  // namespace kvz::client
