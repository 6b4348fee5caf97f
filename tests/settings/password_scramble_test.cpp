#include "client/settings/password_scramble.h"

#include <gtest/gtest.h>

#include "client/settings/settings_errors.h"
#include "tests/fakes/fake_clock.h"

namespace kvz::client {
namespace {

std::string Group(int word) {
  char text[16];
  std::snprintf(text, sizeof text, "%05d", word + 34619);
  return text;
}

// A password of `length` bytes mixing ASCII and GBK characters.
std::string MixedPassword(std::size_t length) {
  const std::string pieces[] = {"a", "密", "Z", "码", "9", "\x81\x40", "_", "@"};
  std::string out;
  for (std::size_t i = 0; out.size() < length; ++i) out += pieces[i % 8];
  out.resize(length);
  if (length > 0 && static_cast<unsigned char>(out.back()) >= 0x81) out.back() = 'x';
  return out;
}

class PasswordScramble : public ::testing::Test {
 protected:
  fakes::FakeClock clock_;
};

TEST_F(PasswordScramble, AbcGivesTheWorkedLayout) {
  // Buffer: 3 "abcabcabc" -> words 24835 25442 25185 24931 25442.
  EXPECT_EQ(ScramblePassword("abc", clock_),
            Group(24835) + Group(25442) + Group(25185) + Group(24931) + Group(25442));
  EXPECT_EQ(ScramblePassword("abc", clock_), "5945460061598045955060061");
}

TEST_F(PasswordScramble, GroupCountFollowsTheLength) {
  const struct {
    std::size_t length, groups;
  } cases[] = {{1, 5}, {5, 5}, {9, 5}, {10, 6}, {11, 6}, {12, 7}, {13, 7}, {20, 11}, {35, 18}};
  for (const auto& c : cases) {
    EXPECT_EQ(ScramblePassword(MixedPassword(c.length), clock_).size(), 5 * c.groups)
        << "length " << c.length;
  }
}

TEST_F(PasswordScramble, ShortPasswordsDoNotDependOnTheClock) {
  for (std::size_t length = 1; length <= 9; ++length) {
    std::string password = MixedPassword(length);
    clock_.ticks = 1;
    std::string first = ScramblePassword(password, clock_);
    clock_.ticks = 4000000000u;
    EXPECT_EQ(ScramblePassword(password, clock_), first) << length;
  }
}

TEST_F(PasswordScramble, RoundTripUpTo35Bytes) {
  for (std::size_t length = 0; length <= 35; ++length) {
    std::string password = MixedPassword(length);
    EXPECT_EQ(UnscramblePassword(ScramblePassword(password, clock_)), password) << length;
  }
}

TEST_F(PasswordScramble, EmptyPasswordCarriesTheTickDigits) {
  clock_.ticks = 123456789;
  std::string scrambled = ScramblePassword("", clock_);
  // 0 "123456789": words 0x3100, 0x3332, 0x3534, 0x3736, 0x3938.
  EXPECT_EQ(scrambled, Group(0x3100) + Group(0x3332) + Group(0x3534) + Group(0x3736) +
                           Group(0x3938));
  clock_.ticks = 987;
  std::string other = ScramblePassword("", clock_);
  EXPECT_EQ(other.size(), 25u);
  EXPECT_NE(other, scrambled);
  EXPECT_EQ(UnscramblePassword(scrambled), "");
  EXPECT_EQ(UnscramblePassword(other), "");
}

TEST_F(PasswordScramble, OnlyTheFirst255BytesCount) {
  std::string longPassword(300, 'q');
  longPassword[254] = 'e';
  std::string scrambled = ScramblePassword(longPassword, clock_);
  EXPECT_EQ(scrambled, ScramblePassword(longPassword.substr(0, 255), clock_));
  EXPECT_EQ(scrambled.size(), 5u * 128);
  EXPECT_EQ(scrambled.substr(0, 5), Group(255 + 256 * 'q')) << "length byte 255";
  // The last word's high byte is buffer byte 255: the password's 255th byte.
  EXPECT_EQ((std::stoi(scrambled.substr(5 * 127, 5)) - 34619) >> 8, 'e');
}

TEST_F(PasswordScramble, UnscrambleOfNothingIsTheBlankBuffer) {
  EXPECT_EQ(UnscramblePassword(""), std::string(35, ' '));
}

TEST_F(PasswordScramble, MissingGroupsKeepTheirBlanks) {
  EXPECT_EQ(UnscramblePassword(Group(3 + 256 * 'A')), "A  ");
  EXPECT_EQ(UnscramblePassword(Group(5 + 256 * 'x') + Group('y' + 256 * 'z')), "xyz  ");
}

TEST_F(PasswordScramble, TextThatDoesNotDecodeIsAConversionError) {
  const std::string ok = Group(3 + 256 * 'A');
  const struct {
    std::string text;
    const char* why;
  } cases[] = {
      {"12a45", "letters in a group"},
      {ok + "9999 ", "a blank in a group"},
      {ok + "+", "a sign alone"},
      {std::string(95, '6'), "19 groups"},
      {std::string(91, '6'), "19 groups, the last one short"},
      {Group(36), "length byte 36"},
      {Group(255 + 256 * 'a'), "length byte 255"},
  };
  for (const auto& c : cases) {
    EXPECT_THROW(UnscramblePassword(c.text), EConvertError) << c.why;
  }
  EXPECT_EQ(UnscramblePassword(Group(35 + 256 * ' ')), std::string(35, ' ')) << "length byte 35 still fits";
  std::string eighteen = Group(35);
  for (int i = 0; i < 17; ++i) eighteen += Group('A' + 256 * 'B');
  EXPECT_EQ(UnscramblePassword(eighteen).size(), 35u) << "18 groups still fit";
}

TEST_F(PasswordScramble, ConversionErrorNamesTheGroup) {
  try {
    UnscramblePassword("59454abcde");
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'abcde' is not a valid integer value");
  }
}

}  // namespace
}  // namespace kvz::client
