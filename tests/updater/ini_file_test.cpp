#include "updater/ini_file.h"

#include <gtest/gtest.h>

#include "platform/host/host_profile_file.h"
#include "tests/updater/temp_tree.h"

namespace kvz::updater {
namespace {

class IniFileTest : public ::testing::Test {
 protected:
  testing::TempTree tree;
  platform::HostProfileFile profile{tree.Root()};
  cIniFile ini{profile};
  // Windows path of the file below the drive that the tree stands for.
  const std::string path = "C:\\kvz\\config.ini";

  void SetUp() override {
    tree.MakeFolder("c/kvz");
    ini.INIFile(path);
  }
};

TEST_F(IniFileTest, GetFileGivesValueNulAndBlanksToTheBufferEnd) {
  tree.Write("c/kvz/config.ini", "[soft]\r\nversion=1.5\r\n");
  const std::string buffer = ini.GetFile("soft", "version");
  ASSERT_EQ(buffer.size(), cIniFile::kBufferSize);
  EXPECT_EQ(buffer.substr(0, 4), "1.5" + std::string(1, '\0'));
  EXPECT_EQ(buffer.find_first_not_of(' ', 4), std::string::npos);
  EXPECT_EQ(SettingFromBuffer(buffer), "1.5");
}

TEST_F(IniFileTest, ReadsThroughTheProfileRules) {
  tree.Write("c/kvz/config.ini",
             "[other]\r\nversion=9\r\n[SOFT]\r\n  Version =  2.0  \r\nupdateURL=http://h/u/\r\n");
  EXPECT_EQ(SettingFromBuffer(ini.GetFile("soft", "version")), "2.0");
  EXPECT_EQ(SettingFromBuffer(ini.GetFile("soft", "updateurl")), "http://h/u/");
  EXPECT_EQ(SettingFromBuffer(ini.GetFile("soft", "cacheName")), "");
  EXPECT_EQ(SettingFromBuffer(ini.GetFile("missing", "version")), "");
}

TEST_F(IniFileTest, MissingFileReadsEmpty) {
  const std::string buffer = ini.GetFile("soft", "version");
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(SettingFromBuffer(buffer), "");
}

TEST_F(IniFileTest, LongValueIsCutTo999Bytes) {
  const std::string value(1500, 'x');
  tree.Write("c/kvz/config.ini", "[soft]\r\nupdateURL=" + value + "\r\n");
  const std::string buffer = ini.GetFile("soft", "updateURL");
  ASSERT_EQ(buffer.size(), cIniFile::kBufferSize);
  EXPECT_EQ(buffer.back(), '\0');
  EXPECT_EQ(SettingFromBuffer(buffer), value.substr(0, 999));
}

TEST_F(IniFileTest, WritingAnEmptyValueCreatesFileAndSection) {
  ini.WriteFile("soft", "cacheName", "");
  ASSERT_TRUE(tree.Exists("c/kvz/config.ini"));
  EXPECT_EQ(SettingFromBuffer(ini.GetFile("soft", "cacheName")), "");
  const std::string text = *tree.Read("c/kvz/config.ini");
  EXPECT_NE(text.find("[soft]"), std::string::npos) << text;
  EXPECT_NE(text.find("cacheName="), std::string::npos) << text;
}

TEST_F(IniFileTest, WriteReplacesValueAndKeepsOtherKeys) {
  tree.Write("c/kvz/config.ini", "[soft]\r\nversion=1.0\r\ncacheName=old\r\n");
  ini.WriteFile("soft", "cacheName", "C:\\cache\\soft[1].html");
  EXPECT_EQ(SettingFromBuffer(ini.GetFile("soft", "cacheName")), "C:\\cache\\soft[1].html");
  EXPECT_EQ(SettingFromBuffer(ini.GetFile("soft", "version")), "1.0");
}

TEST(SettingFromBuffer, TrimsBlanksThenDropsTheNul) {
  EXPECT_EQ(SettingFromBuffer(std::string("  a b") + '\0' + "   "), "a b");
  EXPECT_EQ(SettingFromBuffer(std::string("x ") + '\0'), "x ");
  EXPECT_EQ(SettingFromBuffer(std::string(1, '\0') + "    "), "");
  EXPECT_EQ(SettingFromBuffer("    "), "");
}

TEST(CreateIni, JoinsWithExactlyOneBackslash) {
  struct Case {
    const char* head;
    const char* part;
    const char* path;
  };
  const Case cases[] = {
      {"C:\\kvz\\\\", "\\config.ini", "C:\\kvz\\config.ini"},
      {"C:\\kvz", "config.ini", "C:\\kvz\\config.ini"},
      {"C:\\kvz\\", "\\\\\\sub\\config.ini", "C:\\kvz\\sub\\config.ini"},
      {"", "config.ini", "\\config.ini"},
      {"C:", "", "C:\\"},
  };
  platform::HostProfileFile profile;
  for (const auto& c : cases) {
    cIniFile ini(profile);
    ini.CreateIni(c.head, c.part);
    EXPECT_EQ(ini.INIFile(), c.path) << c.head << " + " << c.part;
  }
}

TEST(IniFilePath, IsStoredUnchanged) {
  platform::HostProfileFile profile;
  cIniFile ini(profile);
  EXPECT_EQ(ini.INIFile(), "");
  ini.INIFile("  rel\\\\x.ini ");
  EXPECT_EQ(ini.INIFile(), "  rel\\\\x.ini ");
}

}  // namespace
}  // namespace kvz::updater
