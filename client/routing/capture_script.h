#pragma once
#include <string>

namespace kvz::client {

// The three-line batch script that filters ipconfig into the net-info file
// and deletes itself (99 bytes, no line break after the last line).
const std::string& CaptureScript();

// The captured text: every line of the net-info file, stripped of leading and
// trailing bytes of 0x20 and below, each followed by CR LF. A line ends at LF,
// CR LF or a lone CR.
std::string BuildCapturedText(const std::string& fileBytes);

}  // namespace kvz::client
