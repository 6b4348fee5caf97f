#pragma once
#include <string>
#include <vector>

namespace kvz::updater {

// Lines separated by CR LF exactly; nothing is trimmed. A text with n CR LF
// pairs gives n + 1 lines, so a final CR LF leaves an empty last line.
std::vector<std::string> SplitManifestLines(const std::string& text);

// The manifest counts its entries with a 16-bit signed counter.
inline constexpr std::size_t kMaxManifestEntries = 32767;

// True when a manifest entry names a place inside the updater's folder. The
// manifest travels over plain HTTP, so an entry that is absolute, carries a
// drive or a stream (":"), starts with "\" or "/", or climbs with a segment
// of dots ("..", and "..." or ". ." which Windows trims to "..") is refused.
// The name is read as GBK: a trail byte 0x5C inside a Chinese character is
// not a separator, as Windows sees it in code page 936.
bool IsSafeManifestName(const std::string& name);

}  // namespace kvz::updater
