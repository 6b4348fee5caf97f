#pragma once
// The driver's script language: one command per line, words separated by
// blanks, "quoted words" with \" and \\, options written key=value (the
// value may be quoted), # starts a comment line.
#include <map>
#include <string>
#include <vector>

namespace kvz::driver {

struct Command {
  int line = 0;
  std::string source;                         // the line as written (UTF-8)
  std::wstring name;
  std::vector<std::wstring> words;            // positional arguments
  std::map<std::wstring, std::wstring> options;
};

// Splits one UTF-8 line. False with *error set when it cannot be read; an
// empty or comment line gives a command with an empty name.
bool ParseCommand(const std::string& utf8, int line, Command* command, std::string* error);

std::wstring WideFromUtf8(const std::string& utf8);
std::string Utf8FromWide(const std::wstring& wide);

}  // namespace kvz::driver
