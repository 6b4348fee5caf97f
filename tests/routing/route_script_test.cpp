#include "client/routing/route_script.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "client/routing/route_table.h"
#include "tests/routing/fixture_file.h"

namespace kvz::client {
namespace {

using kvz::testing::ReadFixture;
using kvz::testing::SplitCrLf;

const std::string kGateway = "192.168.1.1";
const std::string kAddress = "10.8.0.6";

bool EndsWith(const std::string& line, const std::string& tail) {
  return line.size() > tail.size() &&
         line.compare(line.size() - tail.size(), tail.size(), tail) == 0;
}

struct ScriptCase {
  const char* name;
  std::string networkType;
  const char* fixture;
  std::size_t lines;
  bool defaultRoutePair;
  std::string tableVia;  // empty: no table lines
  friend void PrintTo(const ScriptCase& c, std::ostream* os) { *os << c.name; }
};

class RouteScript : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(RouteScript, MatchesTheFixtureByteForByte) {
  const ScriptCase& c = GetParam();
  std::string fixture = ReadFixture(c.fixture);
  ASSERT_FALSE(fixture.empty()) << c.fixture;
  EXPECT_EQ(BuildRouteScript(kGateway, kAddress, c.networkType), fixture);
}

TEST_P(RouteScript, HasItsShape) {
  const ScriptCase& c = GetParam();
  const std::string script = BuildRouteScript(kGateway, kAddress, c.networkType);
  const std::vector<std::string> lines = SplitCrLf(script);
  ASSERT_EQ(lines.size(), c.lines);

  // The two GBK echo lines: 16 and 9 double-byte characters.
  EXPECT_EQ(lines[0].size(), 41u);
  EXPECT_EQ(lines[0],
            "@echo \xc7\xeb\xc9\xd4\xba\xf2\xa3\xac\xcf\xb5\xcd\xb3\xd5\xfd\xd4\xda"
            "\xce\xaa\xc4\xfa\xd0\xb4\xc8\xeb\xbb\xba\xb4\xe6\xc2\xb7\xd3\xc9...");
  EXPECT_EQ(lines[1], "@del c:\\netInfo.tmp");
  EXPECT_EQ(lines[c.lines - 4], "");
  EXPECT_EQ(lines[c.lines - 3].size(), 24u);
  EXPECT_EQ(lines[c.lines - 3],
            "@echo \xbb\xba\xb4\xe6\xc2\xb7\xd3\xc9\xd0\xb4\xc8\xeb\xb3\xc9\xb9\xa6\xa3\xa1");
  EXPECT_EQ(lines[c.lines - 2], "rem pause");
  EXPECT_EQ(lines[c.lines - 1], "@del c:\\cmd.cmd");
  EXPECT_TRUE(EndsWith(script, "\r\n@del c:\\cmd.cmd"));

  std::size_t tableStart = 2;
  if (c.defaultRoutePair) {
    EXPECT_EQ(lines[2], "@route DELETE 0.0.0.0");
    EXPECT_EQ(lines[3], "@route ADD 0.0.0.0 Mask 0.0.0.0 " + kGateway);
    tableStart = 4;
  }
  // Only the pair names the default route ("60.0.0.0" and the like don't count).
  EXPECT_EQ(script.find("\r\n@route DELETE 0.0.0.0\r\n") != std::string::npos, c.defaultRoutePair);
  EXPECT_EQ(script.find("\r\n@route ADD 0.0.0.0 ") != std::string::npos, c.defaultRoutePair);
  if (c.tableVia.empty()) {
    EXPECT_EQ(script.find("route"), std::string::npos);
    return;
  }
  auto table = RouteTable();
  for (std::size_t i = 0; i < table.size(); ++i) {
    EXPECT_EQ(lines[tableStart + i], std::string("@route ADD ") + table[i].network + " Mask " +
                                         table[i].mask + " " + c.tableVia);
  }
  EXPECT_EQ(lines[tableStart + table.size()],
            "@route ADD 222.173.216.69 Mask 255.255.255.0 " + kAddress);
}

INSTANTIATE_TEST_SUITE_P(
    NetworkTypes, RouteScript,
    ::testing::Values(ScriptCase{"Telecom", "\xb5\xe7\xd0\xc5\xcd\xf8\xc2\xe7", "route_telecom.cmd",
                                 144, true, kAddress},
                      ScriptCase{"Netcom", "\xcd\xf8\xcd\xa8\xcd\xf8\xc2\xe7", "route_netcom.cmd",
                                 142, false, kGateway},
                      ScriptCase{"Internal", "\xc4\xda\xb2\xbf\xcd\xf8\xc2\xe7",
                                 "route_internal.cmd", 6, false, ""},
                      ScriptCase{"UnknownType", "other", "route_internal.cmd", 6, false, ""},
                      // Byte comparison: another letter case or a trailing blank is another type.
                      ScriptCase{"TelecomWithTrailingBlank", "\xb5\xe7\xd0\xc5\xcd\xf8\xc2\xe7 ",
                                 "route_internal.cmd", 6, false, ""},
                      ScriptCase{"EmptyType", "", "route_internal.cmd", 6, false, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RouteScript, NetworkTypeTextsAreTheGbkBytes) {
  EXPECT_EQ(std::string(kTelecomNetworkType), "\xb5\xe7\xd0\xc5\xcd\xf8\xc2\xe7");
  EXPECT_EQ(std::string(kNetcomNetworkType), "\xcd\xf8\xcd\xa8\xcd\xf8\xc2\xe7");
}

}  // namespace
}  // namespace kvz::client
