// kvz_driver: drives the windows of another program from a small script and
// prints what it reads as UTF-8 lines. Exit code 0: all went as expected;
// 1: an expectation failed; 2: the script could not be read.
//
//   kvz_driver SCRIPT-FILE      (- reads the script from stdin)
//   kvz_driver -c COMMAND...    (each argument is one script line)
#include <windows.h>

#include <string>
#include <vector>

#include "interpreter.h"
#include "script.h"

namespace {

using kvz::driver::Outcome;

bool ReadAll(HANDLE file, std::string* bytes) {
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes->append(chunk, got);
  return true;
}

bool ReadScript(const std::wstring& path, std::string* bytes) {
  if (path == L"-") return ReadAll(GetStdHandle(STD_INPUT_HANDLE), bytes);
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  ReadAll(file, bytes);
  CloseHandle(file);
  return true;
}

std::vector<std::string> SplitLines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  // A UTF-8 byte order mark is skipped.
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) start = 3;
  while (start <= bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    lines.push_back(bytes.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

int Usage() {
  kvz::driver::PrintLine(L"usage: kvz_driver SCRIPT-FILE | kvz_driver -c COMMAND...");
  return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> lines;
  if (argc >= 2 && std::wstring(argv[1]) == L"-c") {
    for (int i = 2; i < argc; ++i) lines.push_back(kvz::driver::Utf8FromWide(argv[i]));
  } else if (argc == 2) {
    std::string bytes;
    if (!ReadScript(argv[1], &bytes)) {
      kvz::driver::PrintLine(L"ERROR cannot read " + std::wstring(argv[1]));
      return 2;
    }
    lines = SplitLines(bytes);
  } else {
    return Usage();
  }

  kvz::driver::Interpreter interpreter;
  for (size_t i = 0; i < lines.size(); ++i) {
    kvz::driver::Command command;
    std::string error;
    int number = static_cast<int>(i + 1);
    if (!kvz::driver::ParseCommand(lines[i], number, &command, &error)) {
      kvz::driver::PrintLine(L"ERROR line " + std::to_wstring(number) + L": " +
                             kvz::driver::WideFromUtf8(error));
      return 2;
    }
    Outcome outcome = interpreter.Run(command);
    if (outcome == Outcome::kFailed) return 1;
    if (outcome == Outcome::kScriptError) return 2;
  }
  return 0;
}
