// The rules of the Windows profile functions that the programs rely on. The
// same cases run against our Linux implementation and, cross-built, against
// the real functions under Wine.
#include <gtest/gtest.h>

#include <string>

#include "tests/contract/profile_contract_env.h"

namespace kvz::contract {
namespace {

constexpr std::size_t kBuffer = 2048;

class ProfileContract : public ::testing::Test {
 protected:
  void SetUp() override { env_ = MakeProfileContractEnv(); }

  std::string Get(const std::string& file, const std::string& section, const std::string& key,
                  const std::string& def, std::size_t buffer = kBuffer) {
    return env_->Profile().GetString(section, key, def, buffer, env_->PathOf(file));
  }
  bool Put(const std::string& file, const std::string& section, const std::string& key,
           const std::string& value) {
    return env_->Profile().WriteString(section, key, value, env_->PathOf(file));
  }
  std::string Raw(const std::string& file) { return env_->ReadRaw(file).value_or("<missing>"); }

  std::unique_ptr<ProfileContractEnv> env_;
};

const char kSample[] =
    "[Last]\r\n"
    "UserName = alice  \r\n"
    "Password=\r\n"
    "Quoted=\"  spaced  \"\r\n"
    "Single='x'\r\n"
    "Lone=\"abc\r\n"
    "Mixed=\"abc'\r\n"
    "OneQuote=\"\r\n"
    "Dup=first\r\n"
    "dup=second\r\n"
    "Semi=a;b\r\n"
    "  Padded Key   =  v  \r\n"
    "\tTabbed\t=\tt\t\r\n"
    "[last]\r\n"
    "Other=hidden\r\n"
    "[KVZ Client]\r\n"
    "actStr=电信网络\r\n";

struct ReadCase {
  const char* section;
  const char* key;
  const char* def;
  const char* expected;
};

const ReadCase kReadCases[] = {
    {"Last", "UserName", "d", "alice"},
    {"LAST", "username", "d", "alice"},
    {"  Last  ", "  UserName ", "d", "alice"},
    {"Last", "Password", "d", ""},
    {"Last", "Quoted", "d", "  spaced  "},
    {"Last", "Single", "d", "x"},
    {"Last", "Lone", "d", "\"abc"},
    {"Last", "Mixed", "d", "\"abc'"},
    {"Last", "OneQuote", "d", "\""},
    {"Last", "Dup", "d", "first"},
    {"Last", "Semi", "d", "a;b"},
    {"Last", "Padded Key", "d", "v"},
    {"Last", "Tabbed", "d", "t"},
    {"Last", "Other", "d", "d"},
    {"Last", "Missing", "def  ", "def"},
    {"Last", "Missing", "  def", "  def"},
    {"Nowhere", "UserName", "", ""},
    {"KVZ Client", "ACTSTR", "", "电信网络"},
};

TEST_F(ProfileContract, ReadsByTheNameAndValueRules) {
  env_->WriteRaw("a.ini", kSample);
  for (const auto& c : kReadCases) {
    EXPECT_EQ(Get("a.ini", c.section, c.key, c.def), c.expected)
        << "[" << c.section << "] " << c.key;
  }
}

TEST_F(ProfileContract, MissingFileGivesTheDefaultWithoutTrailingBlanks) {
  EXPECT_EQ(Get("none.ini", "Last", "UserName", "zz  "), "zz");
  EXPECT_EQ(Get("none.ini", "Last", "UserName", ""), "");
  EXPECT_FALSE(env_->ReadRaw("none.ini").has_value()) << "reading must not create the file";
}

TEST_F(ProfileContract, BufferCutsValuesAndDefaults) {
  std::string longValue(1500, 'v');
  env_->WriteRaw("a.ini", "[S]\r\nk=" + longValue + "\r\n");
  EXPECT_EQ(Get("a.ini", "S", "k", "", 1000), std::string(999, 'v'));
  EXPECT_EQ(Get("a.ini", "S", "k", "", 2048), longValue);
  EXPECT_EQ(Get("a.ini", "S", "missing", "abcdef", 4), "abc");
}

TEST_F(ProfileContract, SecondByteOfADoubleByteCharacterIsNotALetter) {
  if (!env_->AnsiIsGbk()) GTEST_SKIP() << "needs the GBK ANSI code page";
  // 0x81 0x41 and 0x81 0x61 are two different GBK characters.
  env_->WriteRaw("a.ini", "[S]\r\n\x81\x41=upper\r\n");
  EXPECT_EQ(Get("a.ini", "S", "\x81\x41", "d"), "upper");
  EXPECT_EQ(Get("a.ini", "S", "\x81\x61", "d"), "d");
}

TEST_F(ProfileContract, FirstWriteCreatesFileSectionAndKey) {
  ASSERT_TRUE(Put("new.ini", "Last", "UserName", "bob"));
  EXPECT_EQ(Raw("new.ini"), "[Last]\r\nUserName=bob\r\n");
  ASSERT_TRUE(Put("new.ini", "Last", "SavePW", "1"));
  ASSERT_TRUE(Put("new.ini", "KVZ Client", "actStr", "网通网络"));
  EXPECT_EQ(Raw("new.ini"),
            "[Last]\r\nUserName=bob\r\nSavePW=1\r\n[KVZ Client]\r\nactStr=网通网络\r\n");
}

TEST_F(ProfileContract, WritesKeepOrderAndAppendNewSectionsAtTheEnd) {
  env_->WriteRaw("a.ini", "[A]\r\nx=1\r\n[B]\r\ny=2\r\n");
  ASSERT_TRUE(Put("a.ini", "A", "z", "3"));
  ASSERT_TRUE(Put("a.ini", "B", "y", "5"));
  ASSERT_TRUE(Put("a.ini", "C", "k", "v"));
  EXPECT_EQ(Raw("a.ini"), "[A]\r\nx=1\r\nz=3\r\n[B]\r\ny=5\r\n[C]\r\nk=v\r\n");
}

TEST_F(ProfileContract, BlanksAroundTheKeyLandOnTheSameKey) {
  env_->WriteRaw("a.ini", "[Last]\r\nPassword=old\r\n");
  ASSERT_TRUE(Put("a.ini", "Last", "   Password", "new"));
  EXPECT_EQ(Raw("a.ini"), "[Last]\r\nPassword=new\r\n");
  // A new key's trailing blanks may stay in the file; they never count when read.
  ASSERT_TRUE(Put("a.ini", "Last", "  Fresh  ", "1"));
  EXPECT_EQ(Raw("a.ini").rfind("[Last]\r\nPassword=new\r\nFresh", 0), 0u) << Raw("a.ini");
  EXPECT_EQ(Get("a.ini", "Last", "Fresh", "d"), "1");
}

TEST_F(ProfileContract, LeadingBlanksOfANewKeyAreNotWritten) {
  env_->WriteRaw("a.ini", "[Last]\r\nSavePW=1\r\n");
  ASSERT_TRUE(Put("a.ini", "Last", "   Password", "123"));
  EXPECT_EQ(Raw("a.ini"), "[Last]\r\nSavePW=1\r\nPassword=123\r\n");
  EXPECT_EQ(Get("a.ini", "Last", "Password", "d"), "123");
}

TEST_F(ProfileContract, NamesMatchWithoutRegardToCaseOnWrite) {
  env_->WriteRaw("a.ini", "[Last]\r\nUserName=a\r\n");
  ASSERT_TRUE(Put("a.ini", "LAST", "USERNAME", "b"));
  EXPECT_EQ(Get("a.ini", "Last", "UserName", "d"), "b");
  std::string raw = Raw("a.ini");
  EXPECT_EQ(raw.find("["), raw.rfind("[")) << raw;
  EXPECT_EQ(raw.find("="), raw.rfind("=")) << raw;
}

TEST_F(ProfileContract, ValuesLoseTheirSurroundingBlanks) {
  ASSERT_TRUE(Put("a.ini", "S", "k", "   v w  "));
  EXPECT_EQ(Get("a.ini", "S", "k", "d"), "v w");
  EXPECT_EQ(Raw("a.ini").find("[S]\r\nk=v w"), 0u) << Raw("a.ini");
}

TEST_F(ProfileContract, EmptyValueKeepsTheKey) {
  env_->WriteRaw("a.ini", "[Last]\r\nPassword=secret\r\n");
  ASSERT_TRUE(Put("a.ini", "Last", "Password", ""));
  EXPECT_EQ(Raw("a.ini"), "[Last]\r\nPassword=\r\n");
  EXPECT_EQ(Get("a.ini", "Last", "Password", "d"), "");
}

TEST_F(ProfileContract, WriteChangesTheFirstOfDuplicateKeys) {
  env_->WriteRaw("a.ini", "[S]\r\nk=1\r\nk=2\r\n");
  ASSERT_TRUE(Put("a.ini", "S", "K", "3"));
  EXPECT_EQ(Raw("a.ini"), "[S]\r\nk=3\r\nk=2\r\n");
}

TEST_F(ProfileContract, CommentLinesSurviveAWrite) {
  env_->WriteRaw("a.ini", "[S]\r\n;note=kept\r\nk=1\r\n");
  ASSERT_TRUE(Put("a.ini", "S", "k", "2"));
  EXPECT_NE(Raw("a.ini").find(";note=kept\r\n"), std::string::npos) << Raw("a.ini");
  EXPECT_EQ(Get("a.ini", "S", "k", "d"), "2");
}

TEST_F(ProfileContract, WriteToAReadOnlyFileFailsAndKeepsIt) {
  const std::string before = "[Last]\r\nUserName=a\r\n";
  env_->WriteRaw("ro.ini", before);
  env_->MakeReadOnly("ro.ini");
  EXPECT_FALSE(Put("ro.ini", "Last", "UserName", "b"));
  EXPECT_FALSE(Put("ro.ini", "Other", "k", "v"));
  EXPECT_EQ(Raw("ro.ini"), before);
  EXPECT_EQ(Get("ro.ini", "Last", "UserName", "d"), "a");
}

TEST_F(ProfileContract, WriteIntoAMissingFolderFails) {
  EXPECT_FALSE(env_->Profile().WriteString("S", "k", "v", env_->PathInMissingFolder("a.ini")));
}

}  // namespace
}  // namespace kvz::contract
