#include "setform/network_setup.h"

#include <gtest/gtest.h>

#include "platform/host/host_profile_file.h"
#include "tests/fakes/temp_folder.h"

namespace kvz::setform {
namespace {

TEST(IniPathBeside, FolderOfTheProgram) {
  EXPECT_EQ(IniPathBeside("C:\\Program Files\\Tovan\\setForm.exe"),
            "C:\\Program Files\\Tovan\\KVZClient.ini");
  EXPECT_EQ(IniPathBeside("C:\\setForm.exe"), "C:\\\\KVZClient.ini");
}

class NetworkSetupTest : public ::testing::Test {
 protected:
  NetworkSetup Make() { return NetworkSetup(profile_, folder_.File("KVZClient.ini")); }
  testing::TempFolder folder_;
  platform::HostProfileFile profile_;
};

TEST_F(NetworkSetupTest, StoredTypeIsShownAndPreselected) {
  const struct {
    const char* stored;
    int selected;
    const char* current;
  } cases[] = {
      {nullptr, -1, "当前设置：未设置"},
      {"", -1, "当前设置：未设置"},
      {"电信网络", 0, "当前设置：电信网络"},
      {"网通网络", 1, "当前设置：网通网络"},
      {"内部网络", 2, "当前设置：内部网络"},
      {"其他", -1, "当前设置：未设置"},
  };
  for (const auto& c : cases) {
    if (c.stored) {
      folder_.Write("KVZClient.ini", std::string("[KVZ Client]\r\nactStr=") + c.stored + "\r\n");
    }
    NetworkSetup setup = Make();
    setup.Load();
    EXPECT_EQ(setup.Selected(), c.selected) << (c.stored ? c.stored : "(no file)");
    EXPECT_EQ(setup.CurrentText(), c.current);
    EXPECT_EQ(setup.CanConfirm(), c.selected >= 0);
  }
}

TEST_F(NetworkSetupTest, ConfirmWritesOnlyTheChosenType) {
  folder_.Write("KVZClient.ini", "[Last]\r\nUserName=bob\r\n");
  NetworkSetup setup = Make();
  setup.Load();
  EXPECT_FALSE(setup.Confirm()) << "nothing chosen";
  setup.Select(7);
  EXPECT_FALSE(setup.CanConfirm());
  setup.Select(1);
  ASSERT_TRUE(setup.Confirm());
  EXPECT_EQ(folder_.Read("KVZClient.ini"), "[Last]\r\nUserName=bob\r\n[KVZ Client]\r\nactStr=网通网络\r\n");
  EXPECT_EQ(setup.CurrentText(), "当前设置：网通网络");
}

TEST_F(NetworkSetupTest, FailedWriteIsReported) {
  folder_.Write("KVZClient.ini", "[KVZ Client]\r\nactStr=电信网络\r\n");
  folder_.MakeReadOnly("KVZClient.ini");
  NetworkSetup setup = Make();
  setup.Load();
  setup.Select(2);
  EXPECT_FALSE(setup.Confirm());
  EXPECT_EQ(setup.CurrentText(), "当前设置：电信网络");
}

}  // namespace
}  // namespace kvz::setform
