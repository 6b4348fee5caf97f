#include "script.h"

#include <windows.h>

namespace kvz::driver {

namespace {

struct Word {
  std::string text;
  size_t equals = std::string::npos;  // position of the first unquoted '='
};

bool SplitWords(const std::string& line, std::vector<Word>* words, std::string* error) {
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i >= line.size()) break;
    Word word;
    bool any = false;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') {
      any = true;
      if (line[i] != '"') {
        if (line[i] == '=' && word.equals == std::string::npos) word.equals = word.text.size();
        word.text += line[i++];
        continue;
      }
      ++i;
      bool closed = false;
      while (i < line.size()) {
        char c = line[i++];
        if (c == '"') {
          closed = true;
          break;
        }
        if (c == '\\' && i < line.size()) c = line[i++];
        word.text += c;
      }
      if (!closed) {
        *error = "unterminated quote";
        return false;
      }
    }
    if (any) words->push_back(word);
  }
  return true;
}

}  // namespace

std::wstring WideFromUtf8(const std::string& utf8) {
  if (utf8.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
  return wide;
}

std::string Utf8FromWide(const std::wstring& wide) {
  if (wide.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string utf8(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), n,
                      nullptr, nullptr);
  return utf8;
}

bool ParseCommand(const std::string& utf8, int line, Command* command, std::string* error) {
  *command = Command{};
  command->line = line;
  command->source = utf8;
  while (!command->source.empty() &&
         (command->source.back() == '\r' || command->source.back() == '\n')) {
    command->source.pop_back();
  }
  size_t first = command->source.find_first_not_of(" \t");
  if (first == std::string::npos || command->source[first] == '#') return true;
  std::vector<Word> words;
  if (!SplitWords(command->source, &words, error)) return false;
  command->name = WideFromUtf8(words[0].text);
  for (size_t i = 1; i < words.size(); ++i) {
    const Word& word = words[i];
    if (word.equals != std::string::npos && word.equals > 0) {
      command->options[WideFromUtf8(word.text.substr(0, word.equals))] =
          WideFromUtf8(word.text.substr(word.equals + 1));
    } else {
      command->words.push_back(WideFromUtf8(word.text));
    }
  }
  return true;
}

}  // namespace kvz::driver
