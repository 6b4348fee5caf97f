#pragma once
#include <string>

namespace kvz::client {

// The log file's name: a given name as it is (".EXE" at its end becomes
// ".log"), else the executable's path cut at its first ".exe" plus ".log";
// lowercased in both cases.
std::string LogFileNameFor(const std::string& fileName, const std::string& moduleFileName);

// The name a log takes at roll-over: "old" in place of what follows the last
// ".", or ".old" appended to a name without any ".".
std::string OldFileNameFor(const std::string& logFileName);

}  // namespace kvz::client
