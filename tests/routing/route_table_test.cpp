#include "client/routing/route_table.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

namespace kvz::client {
namespace {

// Strict dotted-decimal: four numbers 0..255 without leading zeros.
std::optional<std::uint32_t> ParseDotted(const std::string& text) {
  unsigned a, b, c, d;
  char tail;
  if (std::sscanf(text.c_str(), "%3u.%3u.%3u.%3u%c", &a, &b, &c, &d, &tail) != 4) return {};
  if (a > 255 || b > 255 || c > 255 || d > 255) return {};
  std::uint32_t value = (a << 24) | (b << 16) | (c << 8) | d;
  char back[16];
  std::snprintf(back, sizeof back, "%u.%u.%u.%u", a, b, c, d);
  if (text != back) return {};
  return value;
}

TEST(RouteTable, HoldsTheFixedEntriesInOrder) {
  auto table = RouteTable();
  ASSERT_EQ(table.size(), 135u);
  EXPECT_STREQ(table.front().network, "59.80.0.0");
  EXPECT_STREQ(table.front().mask, "255.252.0.0");
  EXPECT_STREQ(table.back().network, "222.173.104.0");
  EXPECT_STREQ(table.back().mask, "255.255.252.0");
}

TEST(RouteTable, Lists221_208_0_0TwiceNarrowMaskFirst) {
  auto table = RouteTable();
  int seen = 0;
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (std::string(table[i].network) != "221.208.0.0") continue;
    ++seen;
    EXPECT_EQ(i + 1, seen == 1 ? 127u : 128u);
    EXPECT_STREQ(table[i].mask, seen == 1 ? "255.252.0.0" : "255.240.0.0");
  }
  EXPECT_EQ(seen, 2);
}

TEST(RouteTable, EveryNetworkIsAlignedToItsContiguousMask) {
  auto table = RouteTable();
  for (std::size_t i = 0; i < table.size(); ++i) {
    SCOPED_TRACE("entry " + std::to_string(i + 1));
    auto network = ParseDotted(table[i].network);
    auto mask = ParseDotted(table[i].mask);
    ASSERT_TRUE(network.has_value()) << table[i].network;
    ASSERT_TRUE(mask.has_value()) << table[i].mask;
    std::uint32_t hostBits = ~*mask;
    EXPECT_EQ(hostBits & (hostBits + 1), 0u) << "mask not contiguous: " << table[i].mask;
    EXPECT_EQ(*network & hostBits, 0u) << table[i].network << " / " << table[i].mask;
  }
}

TEST(RouteTable, HasNoOtherRepeatedEntry) {
  auto table = RouteTable();
  for (std::size_t i = 0; i < table.size(); ++i) {
    for (std::size_t j = i + 1; j < table.size(); ++j) {
      EXPECT_FALSE(std::string(table[i].network) == table[j].network &&
                   std::string(table[i].mask) == table[j].mask)
          << "entries " << i + 1 << " and " << j + 1;
    }
  }
}

}  // namespace
}  // namespace kvz::client
