#include "scenario.h"

#include <cstdlib>
#include <sstream>

namespace kvz::sim {

namespace {

struct StateName {
  const char* name;
  int value;
};

constexpr StateName kStates[] = {
    {"OpenPort", 0},           {"PortOpened", 1},         {"ConnectDevice", 2},
    {"DeviceConnected", 3},    {"AllDevicesConnected", 4}, {"Authenticate", 5},
    {"AuthNotify", 6},         {"AuthRetry", 7},          {"AuthCallback", 8},
    {"AuthChangePassword", 9}, {"AuthProject", 10},       {"AuthLinkSpeed", 11},
    {"AuthAck", 12},           {"ReAuthenticate", 13},    {"Authenticated", 14},
    {"PrepareForCallback", 15}, {"WaitForModemReset", 16}, {"WaitForCallback", 17},
    {"Projected", 18},         {"StartAuthentication", 19}, {"CallbackComplete", 20},
    {"LogonNetwork", 21},      {"SubEntryConnected", 22}, {"SubEntryDisconnected", 23},
    {"ApplySettings", 24},     {"Interactive", 0x1000},   {"RetryAuthentication", 0x1001},
    {"CallbackSetByCaller", 0x1002}, {"PasswordExpired", 0x1003}, {"InvokeEapUI", 0x1004},
    {"Connected", 0x2000},     {"Disconnected", 0x2001},
};

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r\n");
  if (b == std::string::npos) return {};
  size_t e = s.find_last_not_of(" \t\r\n");
  return s.substr(b, e - b + 1);
}

bool EqualsNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

std::optional<unsigned long long> ParseNumber(const std::string& text) {
  if (text.empty()) return std::nullopt;
  char* end = nullptr;
  unsigned long long value = std::strtoull(text.c_str(), &end, 0);
  if (end == nullptr || *end != '\0' || text[0] == '-') return std::nullopt;
  return value;
}

// Valid UTF-8 becomes ANSI code page bytes; anything else stays as it is.
std::string ToAnsi(const std::string& content) {
  if (content.empty()) return content;
  int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, content.data(),
                              static_cast<int>(content.size()), nullptr, 0);
  if (n <= 0) return content;
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, content.data(), static_cast<int>(content.size()),
                      wide.data(), n);
  int m = WideCharToMultiByte(CP_ACP, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<size_t>(m), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), n, ansi.data(), m, nullptr, nullptr);
  return ansi;
}

bool ParseStep(const std::string& value, ProgressStep* step) {
  std::istringstream in(value);
  std::string state, error, delay, rest;
  if (!(in >> state >> error >> delay) || (in >> rest)) return false;
  auto s = ParseState(state);
  auto e = ParseNumber(error);
  auto d = ParseNumber(delay);
  if (!s || !e || !d) return false;
  *step = ProgressStep{*s, static_cast<DWORD>(*e), static_cast<DWORD>(*d)};
  return true;
}

class Parser {
 public:
  Scenario Run(const std::string& content) {
    std::istringstream in(ToAnsi(content));
    std::string raw;
    int number = 0;
    while (std::getline(in, raw)) {
      ++number;
      std::string line = Trim(raw);
      if (line.empty() || line[0] == ';' || line[0] == '#') continue;
      if (!Line(line)) scenario_.problems.push_back(std::to_string(number) + ": " + line);
    }
    return scenario_;
  }

 private:
  enum class Section { kNone, kOpen, kDial, kErrors };

  bool Line(const std::string& line) {
    if (line.front() == '[') return Header(line);
    size_t eq = line.find('=');
    if (eq == std::string::npos) return false;
    std::string key = Trim(line.substr(0, eq));
    std::string value = Trim(line.substr(eq + 1));
    switch (section_) {
      case Section::kOpen: {
        auto handle = ParseNumber(value);
        if (key.empty() || !handle) return false;
        scenario_.open.push_back(OpenEntry{key, static_cast<std::uintptr_t>(*handle)});
        return true;
      }
      case Section::kErrors: {
        auto code = ParseNumber(key);
        if (!code) return false;
        scenario_.errorTexts[static_cast<DWORD>(*code)] = value;
        return true;
      }
      case Section::kDial:
        return DialKey(scenario_.dials.back(), key, value);
      case Section::kNone:
        return false;
    }
    return false;
  }

  bool Header(const std::string& line) {
    if (line.back() != ']') return false;
    std::string name = Trim(line.substr(1, line.size() - 2));
    if (EqualsNoCase(name, "open")) {
      section_ = Section::kOpen;
    } else if (EqualsNoCase(name, "errors")) {
      section_ = Section::kErrors;
    } else if (name.size() > 5 && EqualsNoCase(name.substr(0, 5), "dial ")) {
      section_ = Section::kDial;
      DialOutcome dial;
      dial.entryName = Trim(name.substr(5));
      scenario_.dials.push_back(dial);
    } else {
      section_ = Section::kNone;
      return false;
    }
    return true;
  }

  static bool DialKey(DialOutcome& dial, const std::string& key, const std::string& value) {
    if (key == "step") {
      ProgressStep step;
      if (!ParseStep(value, &step)) return false;
      dial.steps.push_back(step);
      return true;
    }
    if (key == "result") {
      auto code = ParseNumber(value);
      if (!code) return false;
      dial.result = static_cast<DWORD>(*code);
      return true;
    }
    if (key == "handle") {
      auto handle = ParseNumber(value);
      if (!handle || *handle == 0) return false;
      dial.handle = static_cast<std::uintptr_t>(*handle);
      return true;
    }
    if (key == "handle_on_error") {
      if (value != "yes" && value != "no") return false;
      dial.handleOnError = value == "yes";
      return true;
    }
    return false;
  }

  Scenario scenario_;
  Section section_ = Section::kNone;
};

}  // namespace

const DialOutcome* Scenario::FindDial(const std::string& entryName) const {
  for (const DialOutcome& dial : dials) {
    if (EqualsNoCase(dial.entryName, entryName)) return &dial;
  }
  return nullptr;
}

Scenario ParseScenario(const std::string& content) { return Parser().Run(content); }

std::optional<int> ParseState(const std::string& text) {
  std::string name = text.rfind("RASCS_", 0) == 0 ? text.substr(6) : text;
  for (const StateName& state : kStates) {
    if (name == state.name) return state.value;
  }
  if (!text.empty() && text[0] == '-') {
    auto magnitude = ParseNumber(text.substr(1));
    if (magnitude) return -static_cast<int>(*magnitude);
    return std::nullopt;
  }
  auto value = ParseNumber(text);
  if (value) return static_cast<int>(*value);
  return std::nullopt;
}

}  // namespace kvz::sim
