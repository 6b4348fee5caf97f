#include "client/settings/escape_key_name.h"

#include <gtest/gtest.h>

namespace kvz::client {
namespace {

struct EscapeCase {
  const char* name;
  const char* escaped;
};

const EscapeCase kCases[] = {
    {"", ""},
    {"ZORuda", "ZORuda"},
    {"a b", "a_b"},
    {"a_b", "a\\_b"},
    {"x=y\\w", "x\\-y\\\\w"},
    {"@", "\\A"},
    {"  lead", "__lead"},
    {"user@host=1", "user\\Ahost\\-1"},
    {"张三", "张三"},
    // The second byte of a double-byte character is escaped like any byte.
    {"\x81\x40", "\x81\\A"},
    {"\x81\x5C", "\x81\\\\"},
    {"\x81\x5F", "\x81\\_"},
};

TEST(EscapeKeyName, ReplacesEachSpecialByte) {
  for (const auto& c : kCases) EXPECT_EQ(EscapeKeyName(c.name), c.escaped) << c.name;
}

TEST(EscapeKeyName, DifferentNamesStayDifferent) {
  // Pairs that a naive escaping would merge.
  const char* pairs[][2] = {{"a b", "a_b"}, {"a\\_b", "a__b"}, {"\\A", "@"}, {"\\-", "="}};
  for (const auto& p : pairs) EXPECT_NE(EscapeKeyName(p[0]), EscapeKeyName(p[1])) << p[0];
}

}  // namespace
}  // namespace kvz::client
