#pragma once
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace kvz::testing {

// The bytes of a committed fixture below tests/routing/fixtures.
inline std::string ReadFixture(const std::string& name) {
  std::ifstream in(std::string(KVZ_ROUTING_FIXTURES) + "/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Splits at CR LF; a text without a final CR LF keeps its last line.
inline std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2) {
    lines.push_back(text.substr(start, at - start));
  }
  lines.push_back(text.substr(start));
  return lines;
}

}  // namespace kvz::testing
