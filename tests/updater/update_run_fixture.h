#pragma once
#include <gtest/gtest.h>

#include <string>

#include "platform/host/host_file_system.h"
#include "platform/host/host_profile_file.h"
#include "tests/fakes/fake_shell.h"
#include "tests/updater/temp_tree.h"
#include "tests/updater/update_fakes.h"
#include "updater/form1.h"

namespace kvz::testing {

// One updater installation on real files: the tree's folder "c" is drive C:,
// the updater lives in C:\kvz with its update folder. The facility is the
// test's choice; the shell is recorded.
class UpdateRunFixture : public ::testing::Test {
 protected:
  TempTree tree;
  platform::HostFileSystem hostFiles{tree.Root()};
  platform::HostProfileFile profile{tree.Root()};
  fakes::FakeShell shell;
  FakeForm1Window window;
  std::string programFile = "C:\\kvz\\update.exe";

  void SetUp() override {
    tree.MakeFolder("c/kvz/update");
    // What the settings file says at the moment the client is started.
    shell.onExecute = [this](const fakes::FakeShell::Call&) {
      cacheNameAtStart = CacheNameSetting();
    };
  }

  void WriteConfig(const std::string& version, const std::string& url,
                   const std::string& cacheName = "") {
    tree.Write("c/kvz/config.ini", "[soft]\r\nversion=" + version + "\r\nupdateURL=" + url +
                                       "\r\ncacheName=" + cacheName + "\r\n");
  }
  // Installed file below C:\kvz ("/" between folders).
  void Install(const std::string& name, const std::string& bytes) {
    tree.Write("c/kvz/" + name, bytes);
  }
  std::optional<std::string> Installed(const std::string& name) const {
    return tree.Read("c/kvz/" + name);
  }
  std::optional<std::string> InUpdateFolder(const std::string& name) const {
    return tree.Read("c/kvz/update/" + name);
  }
  std::string CacheNameSetting() {
    return profile.GetString("soft", "cacheName", "<missing>", 1000, "C:\\kvz\\config.ini");
  }

  // Runs the updater once as its start would, over `files` and `facility`.
  void RunUpdater(platform::IUrlDownloader& facility, platform::IFileSystem* files = nullptr) {
    updater::Form1 form(
        {files ? *files : hostFiles, profile, shell, facility, window, programFile});
    form.Form_Load();
    EXPECT_TRUE(form.IsClosed());
    lastStage = form.Stage();
    lastCacheName = form.CacheName();
  }

  void ExpectClientStartedOnce(const std::string& folder = "C:\\kvz") {
    ASSERT_EQ(shell.calls.size(), 1u);
    const auto& call = shell.calls[0];
    EXPECT_EQ(call.owner, window.handle);
    EXPECT_EQ(call.verb, "Open");
    EXPECT_EQ(call.file, (folder.back() == '\\' ? folder : folder + "\\") + "KVZClient.exe");
    EXPECT_EQ(call.parameters, std::optional<std::string>(""));
    EXPECT_EQ(call.directory, folder);
    EXPECT_EQ(call.show, 1);
    EXPECT_FALSE(call.waited);
    EXPECT_EQ(window.destroyCalls, 1);
  }

  std::string cacheNameAtStart = "<client not started>";
  std::int16_t lastStage = -1;
  std::string lastCacheName;
};

}  // namespace kvz::testing
