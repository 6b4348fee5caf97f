// findstr stand-in for the filter the client's capture script runs: reads
// standard input and prints the lines that contain one of the search strings.
// Supports /i (ignore ASCII letter case), /c:"text" (a literal string, blanks
// included), /l (literal, the only kind there is here) and plain search
// strings (each blank-separated word a literal). Exit code as findstr: 0 when
// a line matched, 1 when none did, 2 for a command line it does not support.
#include <windows.h>

#include <string>
#include <vector>

#include "sim/routing/console_io.h"

namespace {

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Folded(std::string text) {
  for (char& c : text) c = FoldAscii(c);
  return text;
}

void AddWords(const std::string& text, std::vector<std::string>& needles) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    if (end > start) needles.push_back(text.substr(start, end - start));
    start = end + 1;
  }
}

struct Options {
  bool ignoreCase = false;
  std::vector<std::string> needles;
};

bool ParseArguments(int argc, char** argv, Options& options) {
  bool plainSeen = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.size() >= 2 && (arg[0] == '/' || arg[0] == '-')) {
      const std::string option = Folded(arg.substr(1));
      if (option == "i") {
        options.ignoreCase = true;
      } else if (option == "l") {
      } else if (option.rfind("c:", 0) == 0) {
        options.needles.push_back(arg.substr(3));
      } else {
        kvz::sim::ErrorLine("FINDSTR: unsupported option " + arg);
        return false;
      }
    } else if (!plainSeen && options.needles.empty()) {
      AddWords(arg, options.needles);
      plainSeen = true;
    } else {
      kvz::sim::ErrorLine("FINDSTR: file arguments are not supported: " + arg);
      return false;
    }
  }
  if (options.needles.empty()) {
    kvz::sim::ErrorLine("FINDSTR: no search string");
    return false;
  }
  return true;
}

bool Matches(const std::string& line, const Options& options) {
  const std::string haystack = options.ignoreCase ? Folded(line) : line;
  for (const std::string& needle : options.needles) {
    const std::string wanted = options.ignoreCase ? Folded(needle) : needle;
    if (haystack.find(wanted) != std::string::npos) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseArguments(argc, argv, options)) return 2;

  const std::string input = kvz::sim::ReadAll(GetStdHandle(STD_INPUT_HANDLE));
  std::string output;
  bool any = false;
  std::size_t start = 0;
  while (start < input.size()) {
    std::size_t end = input.find('\n', start);
    const bool terminated = end != std::string::npos;
    if (!terminated) end = input.size();
    std::string content = input.substr(start, end - start);
    if (!content.empty() && content.back() == '\r') content.pop_back();
    if (Matches(content, options)) {
      any = true;
      // A matched line keeps its own ending; a last line without one gets CR LF.
      output += terminated ? input.substr(start, end + 1 - start) : content + "\r\n";
    }
    start = end + 1;
  }
  if (!kvz::sim::WriteAll(GetStdHandle(STD_OUTPUT_HANDLE), output)) return 2;
  return any ? 0 : 1;
}
