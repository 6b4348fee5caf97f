#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <string>

#include "tests/log/concurrent_line.h"
#include "tests/fakes/temp_folder.h"

namespace kvz::client {
namespace {

pid_t StartWriter(const std::string& path, const char* tag, int count, const std::string& go) {
  std::string countText = std::to_string(count);
  pid_t pid = ::fork();
  if (pid == 0) {
    ::execl(KVZ_LOG_WRITER, KVZ_LOG_WRITER, path.c_str(), tag, countText.c_str(), go.c_str(),
            static_cast<char*>(nullptr));
    ::_exit(127);
  }
  return pid;
}

// Checks one line (without its CR LF) against the log format and the text
// its writer gave it; returns the writer's tag or 0.
char CheckLine(const std::string& line, std::map<char, int>* next) {
  if (line.size() < 28 || line[26] != '|' || line.back() != '|') return 0;
  const char tag = line[0];
  std::string text = line.substr(27, line.size() - 28);
  const std::string count = line.substr(19, 7);
  if (count.back() != ' ' || count.find_first_not_of(" 0123456789") != std::string::npos) return 0;
  if (std::atoi(count.c_str()) != static_cast<int>(text.size())) return 0;
  if (text == "Start" || text.rfind("Stop. Elapsed time: ", 0) == 0) return tag;
  int& expected = (*next)[tag];
  if (text != testing::ConcurrentLineText(tag, expected)) return 0;
  ++expected;
  return tag;
}

TEST(LogConcurrency, TwoProcessesLeaveOnlyWholeLines) {
  testing::TempFolder folder;
  const std::string path = folder.File("shared.log");
  const std::string go = folder.File("go");
  const int count = 20000;
  pid_t a = StartWriter(path, "A", count, go);
  pid_t b = StartWriter(path, "B", count, go);
  ASSERT_GT(a, 0);
  ASSERT_GT(b, 0);
  folder.Write("go", "");  // both writers wait for this file, then log at once
  int status = 0;
  ASSERT_EQ(::waitpid(a, &status, 0), a);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  ASSERT_EQ(::waitpid(b, &status, 0), b);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

  std::string content = folder.Read("shared.log").value_or("");
  std::map<char, int> next, lines;
  std::size_t pos = 0, bad = 0, switches = 0;
  char previous = 0;
  while (pos < content.size()) {
    std::size_t end = content.find("|\r\n", pos);
    ASSERT_NE(end, std::string::npos) << "unfinished line at byte " << pos;
    char tag = CheckLine(content.substr(pos, end + 1 - pos), &next);
    if (tag == 0 && ++bad < 5) ADD_FAILURE() << "broken line: " << content.substr(pos, 80);
    ++lines[tag];
    if (tag != '!' && previous != 0 && tag != previous) ++switches;
    if (tag != '!') previous = tag;
    pos = end + 3;
  }
  EXPECT_EQ(bad, 0u);
  EXPECT_EQ(lines['A'], count);
  EXPECT_EQ(lines['B'], count);
  EXPECT_EQ(lines['!'], 4) << "two start and two stop lines";
  EXPECT_GT(switches, 0u) << "the writers did not run at the same time";
  EXPECT_EQ(next['A'], count);
  EXPECT_EQ(next['B'], count);
}

}  // namespace
}  // namespace kvz::client
