#include "platform/host/host_profile_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <optional>
#include <vector>

#include "platform/host/host_path.h"

namespace kvz::platform {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r'; }

std::string Trim(const std::string& s) {
  std::size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

std::string TrimLeft(const std::string& s) {
  std::size_t b = 0;
  while (b < s.size() && IsBlank(s[b])) ++b;
  return s.substr(b);
}

char FoldAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Case-blind for ASCII letters only. The second byte of a double-byte GBK
// character may look like a letter; Windows compares whole characters, so it
// is compared exactly here.
bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lead = static_cast<unsigned char>(a[i]);
    if (lead >= 0x81 && lead <= 0xFE && i + 1 < a.size()) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
      ++i;
      continue;
    }
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

struct Line {
  std::string text;  // without its line end
  std::string end;   // "\r\n", "\n", "\r" or "" for a last line without one
};

std::vector<Line> SplitLines(const std::string& content) {
  std::vector<Line> lines;
  std::size_t pos = 0;
  while (pos < content.size()) {
    std::size_t stop = content.find_first_of("\r\n", pos);
    if (stop == std::string::npos) {
      lines.push_back({content.substr(pos), ""});
      break;
    }
    std::size_t next = stop + 1;
    if (content[stop] == '\r' && next < content.size() && content[next] == '\n') ++next;
    lines.push_back({content.substr(pos, stop - pos), content.substr(stop, next - stop)});
    pos = next;
  }
  return lines;
}

// The name of a section header line, or nothing for any other line. The name
// is everything between "[" and the last "]", blanks inside included.
std::optional<std::string> SectionName(const std::string& line) {
  std::string s = TrimLeft(line);
  if (s.empty() || s[0] != '[') return std::nullopt;
  std::size_t close = s.rfind(']');
  if (close == std::string::npos || close == 0) return std::nullopt;
  return s.substr(1, close - 1);
}

struct KeyLine {
  std::string name;
  std::optional<std::string> value;  // absent for a line without "="
};

KeyLine ParseKeyLine(const std::string& line) {
  std::size_t eq = line.find('=');
  if (eq == std::string::npos) return {Trim(line), std::nullopt};
  return {Trim(line.substr(0, eq)), Trim(line.substr(eq + 1))};
}

std::string StripQuotes(const std::string& value) {
  if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0]) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

std::string Cut(const std::string& s, std::size_t bufferSize) {
  if (bufferSize == 0) return {};
  return s.size() < bufferSize ? s : s.substr(0, bufferSize - 1);
}

// Index range [first, last) of the key lines of the first section named `name`.
struct SectionSpan {
  std::size_t header, first, last;
};

std::optional<SectionSpan> FindSection(const std::vector<Line>& lines, const std::string& name) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    auto found = SectionName(lines[i].text);
    if (!found || !SameName(*found, name)) continue;
    std::size_t j = i + 1;
    while (j < lines.size() && !SectionName(lines[j].text)) ++j;
    return SectionSpan{i, i + 1, j};
  }
  return std::nullopt;
}

std::optional<std::size_t> FindKey(const std::vector<Line>& lines, const SectionSpan& span,
                                   const std::string& key) {
  for (std::size_t i = span.first; i < span.last; ++i) {
    if (Trim(lines[i].text).empty()) continue;
    if (SameName(ParseKeyLine(lines[i].text).name, key)) return i;
  }
  return std::nullopt;
}

enum class ReadResult { kOk, kMissing, kFailed };

ReadResult ReadFile(const std::string& path, std::string* content) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT ? ReadResult::kMissing : ReadResult::kFailed;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return ReadResult::kFailed;
  }
  char buffer[65536];
  ssize_t n;
  while ((n = ::read(fd, buffer, sizeof buffer)) != 0) {
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return ReadResult::kFailed;
    }
    content->append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return ReadResult::kOk;
}

bool WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Writes a sibling temporary file and renames it over the target, so readers
// see either the old or the new file and a failure loses nothing.
bool ReplaceFile(const std::string& path, const std::string& content, mode_t mode) {
  std::size_t slash = path.rfind('/');
  std::string dir = slash == std::string::npos ? "." : path.substr(0, slash);
  std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  std::string temp = dir + "/." + base + ".XXXXXX";
  int fd = ::mkstemp(temp.data());
  if (fd < 0) return false;
  bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, content) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (ok) ok = std::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

std::string Join(const std::vector<Line>& lines) {
  std::string out;
  for (const auto& line : lines) out += line.text + line.end;
  return out;
}

}  // namespace

std::string HostProfileFile::GetString(const std::string& section, const std::string& key,
                                       const std::string& defaultValue, std::size_t bufferSize,
                                       const std::string& path) {
  std::string fallback = defaultValue;
  while (!fallback.empty() && fallback.back() == ' ') fallback.pop_back();

  std::string content;
  if (ReadFile(HostPath(path, driveRoot_), &content) != ReadResult::kOk) {
    return Cut(fallback, bufferSize);
  }
  std::vector<Line> lines = SplitLines(content);
  auto span = FindSection(lines, Trim(section));
  if (!span) return Cut(fallback, bufferSize);
  auto at = FindKey(lines, *span, Trim(key));
  if (!at) return Cut(fallback, bufferSize);
  KeyLine found = ParseKeyLine(lines[*at].text);
  if (!found.value) return Cut(fallback, bufferSize);
  return Cut(StripQuotes(*found.value), bufferSize);
}

bool HostProfileFile::WriteString(const std::string& section, const std::string& key,
                                  const std::string& value, const std::string& path) {
  std::string file = HostPath(path, driveRoot_);
  std::string sectionName = Trim(section);
  std::string keyName = Trim(key);
  std::string newValue = TrimLeft(value);

  std::string content;
  ReadResult read = ReadFile(file, &content);
  if (read == ReadResult::kFailed) return false;

  std::vector<Line> lines = SplitLines(content);
  auto ensureEnded = [&lines](std::size_t index) {
    if (index < lines.size() && lines[index].end.empty()) lines[index].end = "\r\n";
  };
  auto span = FindSection(lines, sectionName);
  if (!span) {
    if (!lines.empty()) ensureEnded(lines.size() - 1);
    lines.push_back({"[" + sectionName + "]", "\r\n"});
    lines.push_back({keyName + "=" + newValue, "\r\n"});
  } else if (auto at = FindKey(lines, *span, keyName)) {
    KeyLine old = ParseKeyLine(lines[*at].text);
    if (old.value && *old.value == newValue) return true;
    lines[*at].text = old.name + "=" + newValue;
  } else {
    // A new key goes after the section's last non-blank line.
    std::size_t after = span->header;
    for (std::size_t i = span->first; i < span->last; ++i) {
      if (!Trim(lines[i].text).empty()) after = i;
    }
    ensureEnded(after);
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(after) + 1,
                 Line{keyName + "=" + newValue, "\r\n"});
  }

  mode_t mode = 0644;
  if (read == ReadResult::kOk) {
    struct stat st;
    if (::stat(file.c_str(), &st) != 0) return false;
    // The read-only attribute of Windows is a file without any write
    // permission bit; checked by hand because root may write any file.
    if ((st.st_mode & 0222) == 0) return false;
    mode = st.st_mode & 07777;
  }
  return ReplaceFile(file, Join(lines), mode);
}

}  // namespace kvz::platform
