#include "client/routing/capture_script.h"

#include <gtest/gtest.h>

namespace kvz::client {
namespace {

TEST(CaptureScript, IsTheNinetyNineBytesOfThreeLines) {
  const std::string expected =
      "ipconfig | findstr /i /c:\x22"
      "default gateway\x22 /c:\x22"
      "address\x22 > c:\x5cnetInfo.tmp"
      "\x0d\x0a"
      "rem pause"
      "\x0d\x0a"
      "del c:\x5c"
      "cmd.cmd";
  EXPECT_EQ(CaptureScript(), expected);
  EXPECT_EQ(CaptureScript().size(), 99u);
}

struct CapturedCase {
  const char* name;
  std::string file;
  std::string text;
  friend void PrintTo(const CapturedCase& c, std::ostream* os) { *os << c.name; }
};

class CapturedText : public ::testing::TestWithParam<CapturedCase> {};

TEST_P(CapturedText, TrimsEveryLineAndEndsEachInCrLf) {
  EXPECT_EQ(BuildCapturedText(GetParam().file), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CapturedText,
    ::testing::Values(CapturedCase{"Empty", "", ""},
                      CapturedCase{
                          "IndentedCrLfLines",
                          "        IP Address. . . : 1.2.3.4\r\n\tDefault Gateway . : 5.6.7.8\r\n",
                          "IP Address. . . : 1.2.3.4\r\nDefault Gateway . : 5.6.7.8\r\n"},
                      CapturedCase{"LastLineWithoutBreak", "a\r\nb", "a\r\nb\r\n"},
                      CapturedCase{"BareLfAndLoneCr", "a\nb\rc", "a\r\nb\r\nc\r\n"},
                      // ipconfig written through a pipe ends its lines in CR CR LF.
                      CapturedCase{"CrCrLf", "a \r\r\nb\r\r\n", "a\r\n\r\nb\r\n\r\n"},
                      CapturedCase{"BlankAndControlLinesStayAsEmptyLines",
                                   " \t\x01\r\n\r\nx\x1f \x20\r\n", "\r\n\r\nx\r\n"},
                      // Bytes above 0x20 are kept, GBK included; only the ends are trimmed.
                      CapturedCase{"InnerBlanksAndGbkKept", "  \xb1\xbe\xb5\xd8 a  b \x7f\r\n",
                                   "\xb1\xbe\xb5\xd8 a  b \x7f\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kvz::client
