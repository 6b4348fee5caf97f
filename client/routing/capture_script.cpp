#include "client/routing/capture_script.h"

#include <cstddef>

namespace kvz::client {

const std::string& CaptureScript() {
  static const std::string script =
      "ipconfig | findstr /i /c:\"default gateway\" /c:\"address\" > c:\\netInfo.tmp\r\n"
      "rem pause\r\n"
      "del c:\\cmd.cmd";
  return script;
}

namespace {

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 0x20; }

void AppendTrimmedLine(const std::string& bytes, std::size_t begin, std::size_t end,
                       std::string& out) {
  while (begin < end && IsBlankOrControl(bytes[begin])) ++begin;
  while (end > begin && IsBlankOrControl(bytes[end - 1])) --end;
  out.append(bytes, begin, end - begin);
  out += "\r\n";
}

}  // namespace

std::string BuildCapturedText(const std::string& fileBytes) {
  std::string text;
  std::size_t lineStart = 0;
  std::size_t i = 0;
  while (i < fileBytes.size()) {
    char c = fileBytes[i];
    if (c != '\r' && c != '\n') {
      ++i;
      continue;
    }
    AppendTrimmedLine(fileBytes, lineStart, i, text);
    i += (c == '\r' && i + 1 < fileBytes.size() && fileBytes[i + 1] == '\n') ? 2 : 1;
    lineStart = i;
  }
  // A last line without a line break still counts; nothing after a final break does.
  if (lineStart < fileBytes.size()) AppendTrimmedLine(fileBytes, lineStart, fileBytes.size(), text);
  return text;
}

}  // namespace kvz::client
