#include "client/settings/ini_file.h"

#include <gtest/gtest.h>

#include "client/settings/settings_errors.h"
#include "platform/host/host_profile_file.h"
#include "tests/fakes/temp_folder.h"

namespace kvz::client {
namespace {

class IniFileTest : public ::testing::Test {
 protected:
  TIniFile Ini(const std::string& name = "KVZClient.ini") {
    return TIniFile(profile_, folder_.File(name));
  }
  testing::TempFolder folder_;
  platform::HostProfileFile profile_;
};

TEST_F(IniFileTest, MissingFileSectionOrKeyReadsAsTheDefault) {
  EXPECT_EQ(Ini().ReadString("Last", "UserName", "none"), "none");
  folder_.Write("KVZClient.ini", "[Last]\r\nUserName=bob\r\n");
  EXPECT_EQ(Ini().ReadString("Other", "UserName", "none"), "none");
  EXPECT_EQ(Ini().ReadString("Last", "SavePW", "0"), "0");
  EXPECT_EQ(Ini().ReadString("Last", "UserName", "none"), "bob");
}

TEST_F(IniFileTest, WriteStringCreatesAndOverwrites) {
  Ini().WriteString("Last", "UserName", "bob");
  Ini().WriteString("Last", "UserName", "ann");
  EXPECT_EQ(folder_.Read("KVZClient.ini"), "[Last]\r\nUserName=ann\r\n");
}

TEST_F(IniFileTest, FailedWriteNamesTheFileAndKeepsIt) {
  const std::string before = "[Last]\r\nUserName=bob\r\n";
  folder_.Write("KVZClient.ini", before);
  folder_.MakeReadOnly("KVZClient.ini");
  const std::string paths[] = {folder_.File("KVZClient.ini"), folder_.File("gone/KVZClient.ini")};
  for (const auto& path : paths) {
    TIniFile ini(profile_, path);
    try {
      ini.WriteString("Last", "UserName", "eve");
      ADD_FAILURE() << "no error for " << path;
    } catch (const EIniFileException& e) {
      EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
    }
  }
  EXPECT_EQ(folder_.Read("KVZClient.ini"), before);
}

TEST_F(IniFileTest, ReadIntegerTakesWhatTheIntegerRulesAccept) {
  const struct {
    const char* stored;
    std::int32_t expected;
  } cases[] = {
      {"42", 42},          {"  42  ", 42},      {"-7", -7},
      {"+7", 7},           {"0x1F", 31},        {"0X1f", 31},
      {"$ff", 255},        {"x10", 16},         {"0xFFFFFFFF", -1},
      {"-$10", -16},       {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"007", 7},          {"2147483648", -99}, {"12abc", -99},
      {"abc", -99},        {"", -99},           {"1.5", -99},
      {"-", -99},          {"0x", -99},         {"1 2", -99},
      {"0x100000000", -99},
  };
  std::string content = "[RAS_ENTRY_ZORuda]\r\n";
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    content += "k" + std::to_string(i) + "=" + cases[i].stored + "\r\n";
  }
  folder_.Write("KVZClient.ini", content);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(Ini().ReadInteger("RAS_ENTRY_ZORuda", "k" + std::to_string(i), -99),
              cases[i].expected)
        << "stored \"" << cases[i].stored << "\"";
  }
  EXPECT_EQ(Ini().ReadInteger("RAS_ENTRY_ZORuda", "absent", 5), 5);
}

TEST_F(IniFileTest, WriteIntegerWritesDecimal) {
  Ini().WriteInteger("S", "k", -5);
  Ini().WriteInteger("S", "big", 2147483647);
  EXPECT_EQ(folder_.Read("KVZClient.ini"), "[S]\r\nk=-5\r\nbig=2147483647\r\n");
  EXPECT_EQ(Ini().ReadInteger("S", "k", 0), -5);
}

}  // namespace
}  // namespace kvz::client
