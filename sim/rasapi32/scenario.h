#pragma once
// The scenario that drives the simulated dial-up service: which entries are
// open at start, what each dial does, and the texts of the error codes.
#include <windows.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kvz::sim {

// One progress report, sent after delayMs.
struct ProgressStep {
  int state = 0;
  DWORD error = 0;
  DWORD delayMs = 0;
};

struct DialOutcome {
  std::string entryName;          // the phone book's spelling of the entry
  DWORD result = 0;               // non-zero: RasDialA fails at once with it
  bool handleOnError = false;     // RasDialA writes a handle even when it fails
  std::optional<std::uintptr_t> handle;  // the handle of every dial; else allocated
  std::vector<ProgressStep> steps;
};

struct OpenEntry {
  std::string entryName;
  std::uintptr_t handle = 0;
};

struct Scenario {
  std::vector<OpenEntry> open;
  std::vector<DialOutcome> dials;
  std::map<DWORD, std::string> errorTexts;
  std::vector<std::string> problems;  // lines that could not be read

  // The dial outcome of an entry (names match regardless of ASCII case, as
  // in a phone book), or nullptr when the phone book has no such entry.
  const DialOutcome* FindDial(const std::string& entryName) const;
};

// Parses a scenario. Texts become ANSI code page bytes: a file that is valid
// UTF-8 is converted, any other file is taken as ANSI bytes already.
Scenario ParseScenario(const std::string& content);

// A state given by number (decimal or 0x...) or by name, with or without
// the RASCS_ prefix; nullopt when it is neither.
std::optional<int> ParseState(const std::string& text);

}  // namespace kvz::sim
