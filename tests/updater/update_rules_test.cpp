#include <gtest/gtest.h>

#include <limits>

#include "updater/manifest.h"
#include "updater/need_update.h"
#include "updater/progress_text.h"

namespace kvz::updater {
namespace {

struct VersionCase {
  const char* installed;
  const char* server;
  bool update;
};

TEST(NeedUpdate, ComparesComponentsAsText) {
  // clang-format off
  const VersionCase cases[] = {
      {"1.5", "1.4", false},
      {"1.5", "1.10", false},   // "10" is less than "5" as text
      {"1.10", "1.5", true},    // and "5" greater than "10"
      {"2.0", "1.5", true},     // a smaller component does not end the scan
      {"1.0", "1.0.1", false},  // places past the installed version are not looked at
      {"", "2.0", false},       // no installed version: no places to compare
      {"1.2", "1.2 ", true},    // the blank is part of the component
      {"1.2", "1.2", false},
      {"1..2", "1..3", true},   // an empty middle component
      {"1..2", "1.0.1", true},  // "0" is greater than the empty component
      {"1.2.3", "1.2", false},  // a missing server component is not greater
      {"1.2.3", "1.3", true},
      {"1.2.3", "", false},
      {"1.0", "1.0.", false},
  };
  // clang-format on
  for (const auto& c : cases) {
    EXPECT_EQ(NeedUpdate(c.installed, c.server), c.update)
        << "installed '" << c.installed << "' server '" << c.server << "'";
  }
}

TEST(NeedUpdate, ComparesBytesAsUnsigned) {
  // A byte above 0x7F is greater than any ASCII one, as its character code is.
  EXPECT_TRUE(NeedUpdate("1.a", "1.\xC4"));
  EXPECT_FALSE(NeedUpdate("1.\xC4", "1.a"));
}

TEST(SplitVersion, KeepsEmptyComponents) {
  EXPECT_TRUE(SplitVersion("").empty());
  EXPECT_EQ(SplitVersion("1..2"), (std::vector<std::string>{"1", "", "2"}));
  EXPECT_EQ(SplitVersion("1."), (std::vector<std::string>{"1", ""}));
  EXPECT_EQ(SplitVersion("."), (std::vector<std::string>{"", ""}));
  EXPECT_EQ(SplitVersion(" 3 "), (std::vector<std::string>{" 3 "}));
}

TEST(ProgressPercent, DividesFirstInDoublePrecision) {
  struct Case {
    std::int32_t progress, max, percent;
  };
  // clang-format off
  const Case cases[] = {
      {29, 100, 28},   // 0.29 * 100 is 28.999999999999996
      {50, 200, 25},
      {0, 0, 0},
      {123, 0, 0},
      {100, 100, 100},
      {300, 100, 300},  // no upper limit
      {-1, 100, -1},    // floor, not truncation
      {-50, 200, -25},
      {1, 3, 33},
      {2, 3, 66},
  };
  // clang-format on
  for (const auto& c : cases) {
    EXPECT_EQ(ProgressPercent(c.progress, c.max), c.percent) << c.progress << " of " << c.max;
  }
}

TEST(ProgressPercent, HoldsWildReportsInsideTheIntegerRange) {
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
  EXPECT_EQ(ProgressPercent(kMax, 1), kMax);
  EXPECT_EQ(ProgressPercent(kMin, 1), kMin);
}

TEST(ProgressText, IsPrefixNumberPercentInGbk) {
  EXPECT_EQ(ProgressText(28), "下载进度：28%");
  EXPECT_EQ(ProgressText(-3), "下载进度：-3%");
  // The prefix is four GBK characters of two bytes each, whatever the source encoding.
  EXPECT_EQ(ProgressText(0), std::string("\xCF\xC2\xD4\xD8\xBD\xF8\xB6\xC8\xA3\xBA") + "0%");
}

TEST(SplitManifestLines, SplitsAtCrLfOnly) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(SplitManifestLines("1.1"), Lines{"1.1"});
  EXPECT_EQ(SplitManifestLines("1.1\r\na.exe\r\nb.dll"), (Lines{"1.1", "a.exe", "b.dll"}));
  EXPECT_EQ(SplitManifestLines("1.1\r\na.exe\r\n"), (Lines{"1.1", "a.exe", ""}));
  EXPECT_EQ(SplitManifestLines("1.1\na.exe\n"), Lines{"1.1\na.exe\n"});
  EXPECT_EQ(SplitManifestLines("1.1\r\r\na \r\n\r\n"), (Lines{"1.1\r", "a ", "", ""}));
}

TEST(IsSafeManifestName, RefusesNamesThatLeaveTheFolder) {
  struct Case {
    const char* name;
    bool safe;
  };
  // clang-format off
  const Case cases[] = {
      {"KVZClient.exe", true},
      {"html\\noLogin.html", true},
      {"html/noLogin.html", true},
      {"", true},  // the empty entry: its transfer fails on its own
      {"a..b.txt", true},
      {".hidden", true},
      {"sub\\.\\x.dll", true},
      {"..\\evil.exe", false},
      {"../evil.exe", false},
      {"html\\..\\..\\evil.exe", false},
      {"html\\..", false},
      {"..", false},
      {"...\\evil.exe", false},  // Windows trims the trailing dots
      {".. \\evil.exe", false},  // and the trailing blank
      {"\\Windows\\evil.exe", false},
      {"/etc/evil", false},
      {"\\\\server\\share\\evil.exe", false},
      {"C:\\Windows\\evil.exe", false},
      {"c:evil.exe", false},
      {"KVZClient.exe:stream", false},
      // GBK: the second byte of this character is 0x5C, not a folder separator.
      {"\x95\x5C..", true},
      {"\x95\x5C\\..\\x", false},
  };
  // clang-format on
  for (const auto& c : cases) {
    EXPECT_EQ(IsSafeManifestName(c.name), c.safe) << "'" << c.name << "'";
  }
}

}  // namespace
}  // namespace kvz::updater
