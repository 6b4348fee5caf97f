#include "client/routing/key_value.h"

#include <gtest/gtest.h>

#include "client/routing/capture_script.h"

namespace kvz::client {
namespace {

TEST(Keys, AreTheThirtySixCharacterLabels) {
  EXPECT_EQ(std::string(kGatewayKey), "Default Gateway . . . . . . . . . : ");
  EXPECT_EQ(std::string(kAddressKey), "IP Address. . . . . . . . . . . . : ");
  EXPECT_EQ(sizeof(kGatewayKey) - 1, 36u);
  EXPECT_EQ(sizeof(kAddressKey) - 1, 36u);
}

// Lines as the capture file holds them (before trimming).
const std::string kIp = "        IP Address. . . . . . . . . . . . : ";
const std::string kGw = "        Default Gateway . . . . . . . . . : ";

struct ParseCase {
  const char* name;
  std::string file;
  std::string gateway;
  std::string address;
  bool routes;  // both values pass the shape check
  friend void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.name; }
};

class CaptureParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(CaptureParse, FindsTheFirstGatewayAndTheSecondAddress) {
  const ParseCase& c = GetParam();
  NetworkValues values = ReadNetworkValues(BuildCapturedText(c.file));
  EXPECT_EQ(values.gateway, c.gateway);
  EXPECT_EQ(values.address, c.address);
  bool routes =
      CheckAddressShape(values.gateway) == "0" && CheckAddressShape(values.address) == "0";
  EXPECT_EQ(routes, c.routes);
}

INSTANTIATE_TEST_SUITE_P(
    Captures, CaptureParse,
    ::testing::Values(
        ParseCase{"LocalAdapterThenLink",
                  kIp + "192.168.1.100\r\n" + kGw + "192.168.1.1\r\n" + kIp + "10.8.0.6\r\n" + kGw +
                      "10.8.0.6\r\n",
                  "192.168.1.1", "10.8.0.6", true},
        ParseCase{"LastLineWithoutBreak",
                  kIp + "192.168.1.100\r\n" + kGw + "192.168.1.1\r\n" + kIp + "10.8.0.6",
                  "192.168.1.1", "10.8.0.6", true},
        ParseCase{"EmptyFile", "", "", "", false},
        ParseCase{"OneAddressLineOnly", kIp + "192.168.1.100\r\n" + kGw + "192.168.1.1\r\n",
                  "192.168.1.1", "", false},
        // Trimming takes the label's final blank, so the key no longer matches.
        ParseCase{
            "GatewayLabelWithoutValue",
            kIp + "192.168.1.100\r\n" + kGw + "\r\n" + kIp + "10.8.0.6\r\n" + kGw + "10.8.0.6\r\n",
            "10.8.0.6", "10.8.0.6", true},
        ParseCase{"NoGatewayValueAnywhere",
                  kIp + "192.168.1.100\r\n" + kGw + "\r\n" + kIp + "10.8.0.6\r\n", "", "10.8.0.6",
                  false},
        ParseCase{"OtherNumberOfDotPairs",
                  "IP Address. . . . . . . . . . . : 192.168.1.100\r\n"
                  "Default Gateway . . . . . . . . : 192.168.1.1\r\n"
                  "IP Address. . . . . . . . . . : 10.8.0.6\r\n",
                  "", "", false},
        ParseCase{"OtherLetterCase",
                  "ip address. . . . . . . . . . . . : 192.168.1.100\r\n"
                  "Default gateway . . . . . . . . . : 192.168.1.1\r\n"
                  "IP ADDRESS. . . . . . . . . . . . : 10.8.0.6\r\n",
                  "", "", false},
        ParseCase{"LongerLabelContainingTheKeyWords",
                  "Autoconfiguration IP Address. . . : 169.254.1.1\r\n" + kIp +
                      "192.168.1.100\r\n" + kGw + "192.168.1.1\r\n" + kIp + "10.8.0.6\r\n",
                  "192.168.1.1", "10.8.0.6", true},
        // The first adapter's second address line wins, even without dots.
        ParseCase{"FirstAdapterWithTwoAddressLines",
                  kIp + "192.168.1.100\r\n" + kIp + "fe80::1\r\n" + kGw + "192.168.1.1\r\n" + kIp +
                      "10.8.0.6\r\n",
                  "192.168.1.1", "fe80::1", false},
        ParseCase{"GatewayWithTwoDots",
                  kIp + "1.1.1.1\r\n" + kGw + "192.168.1\r\n" + kIp + "10.8.0.6\r\n", "192.168.1",
                  "10.8.0.6", false},
        // A double-byte character whose second byte is "I" does not start a key.
        ParseCase{"KeyInsideDoubleByteCharacterIgnored",
                  "\x81" + std::string(kAddressKey) + "1.1.1.1\r\n" + kIp + "192.168.1.100\r\n" +
                      kGw + "192.168.1.1\r\n" + kIp + "10.8.0.6\r\n",
                  "192.168.1.1", "10.8.0.6", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ExtractKeyValue, LeavesTheResultAloneWhenKeyOrTerminatorIsMissing) {
  std::string result = "kept";
  ExtractKeyValue("no key here\r\n", "Key: ", "\r\n", result, "1");
  EXPECT_EQ(result, "kept");
  ExtractKeyValue("Key: value without terminator", "Key: ", "\r\n", result, "1");
  EXPECT_EQ(result, "kept");
  ExtractKeyValue("Key: a\r\n", "Key: ", "\r\n", result, "2");
  EXPECT_EQ(result, "kept");
  ExtractKeyValue("Key: a\r\nKey: b\r\nKey: c\r\n", "Key: ", "\r\n", result, "3");
  EXPECT_EQ(result, "c");
  // Occurrences do not overlap: "aa" in "aaa" occurs once.
  result = "kept";
  ExtractKeyValue("aaa;", "aa", ";", result, "2");
  EXPECT_EQ(result, "kept");
}

struct ShapeCase {
  std::string value;
  const char* result;
  friend void PrintTo(const ShapeCase& c, std::ostream* os) { *os << "[" << c.value << "]"; }
};

class AddressShape : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(AddressShape, CountsGroupsAndDotsOnly) {
  EXPECT_EQ(CheckAddressShape(GetParam().value), GetParam().result)
      << "[" << GetParam().value << "]";
}

INSTANTIATE_TEST_SUITE_P(
    Values, AddressShape,
    ::testing::Values(ShapeCase{"192.168.1.1", "0"}, ShapeCase{"10.0.0.5", "0"},
                      ShapeCase{"abc.def.ghi.jkl", "0"}, ShapeCase{"1.2.3.", "0"},
                      ShapeCase{"123.123.123.12345", "0"}, ShapeCase{"", "1"},
                      ShapeCase{"192.168.1", "1"}, ShapeCase{"1234.1.1.1", "1"},
                      ShapeCase{"1.1234.1.1", "1"}, ShapeCase{"1.1..1", "1"},
                      ShapeCase{".1.1.1", "1"}, ShapeCase{"1.2.3.4.5", "1"},
                      ShapeCase{" 192.168.1.1", "1"}, ShapeCase{"fe80::1", "1"}));

}  // namespace
}  // namespace kvz::client
