#include <gtest/gtest.h>

#include <map>

#include "platform/host/host_path.h"
#include "tests/updater/update_run_fixture.h"

namespace kvz::updater {
namespace {

using platform::IUrlDownloadSink;
using platform::UrlTransferResult;

// Form1 over a scripted facility that serves `served` (URL -> body), writes
// the target like a real facility and reports a cache path (status 14) for
// every transfer, as URL monikers do.
class Form1Test : public testing::UpdateRunFixture {
 protected:
  const std::string base = "http://127.0.0.1:1/kvz/";
  std::map<std::string, std::string> served;
  testing::ScriptedDownloader facility;
  int transfers = 0;

  void SetUp() override {
    UpdateRunFixture::SetUp();
    facility.script = [this](const testing::ScriptedDownloader::Call& call,
                             IUrlDownloadSink& sink) {
      ++transfers;
      const auto found = served.find(call.url);
      if (found == served.end()) return UrlTransferResult{};
      sink.OnStart();
      sink.OnProgress(0, 0, 1, "");
      sink.OnProgress(0, 0, 14, "C:\\cache\\copy" + std::to_string(transfers) + "a");
      sink.OnProgress(0, 0, 14, "C:\\cache\\copy" + std::to_string(transfers) + "b");
      sink.OnResponse(200, found->second.size());
      sink.OnProgress(29, 100, 5, call.url);
      hostFiles.WriteWholeFile(call.file, found->second);
      sink.OnStop();
      return UrlTransferResult{true, found->second.size()};
    };
  }
};

TEST_F(Form1Test, CaptionAndLabelAreKeptCurrent) {
  WriteConfig("1.0", base);
  served[base + "update/soft.html"] = "1.0";
  Form1 form({hostFiles, profile, shell, facility, window, programFile});
  EXPECT_EQ(form.Caption(), "update");
  EXPECT_EQ(form.ProgressText(), "更新进度：0%");
  form.Form_Load();
  EXPECT_EQ(form.Caption(), "自动更新");
  EXPECT_EQ(window.captions, std::vector<std::string>{"自动更新"});
  ASSERT_EQ(window.progressTexts.size(), 5u);
  EXPECT_EQ(window.progressTexts[0], "更新进度...");
  EXPECT_EQ(window.progressTexts[1], "下载进度：0%");
  EXPECT_EQ(window.progressTexts[4], "下载进度：28%");
  EXPECT_EQ(form.ProgressText(), "下载进度：28%") << "the label keeps the last progress text";
  EXPECT_EQ(window.messagePasses, 4) << "one pass over the messages after every report";
}

TEST_F(Form1Test, CachePathIsTakenWhileTheManifestIsFetchedOnly) {
  WriteConfig("1.0", base);
  served[base + "update/soft.html"] = "2.0\r\na.dll";
  served[base + "soft/a.dll"] = "new";
  RunUpdater(facility);
  EXPECT_EQ(transfers, 2);
  EXPECT_EQ(lastStage, 2);
  // The later report of the manifest's transfer wins; the file's reports are ignored.
  EXPECT_EQ(lastCacheName, "C:\\cache\\copy1b");
  EXPECT_EQ(cacheNameAtStart, "C:\\cache\\copy1b");
  ExpectClientStartedOnce();
}

TEST_F(Form1Test, NextRunDeletesTheRecordedCopyOnly) {
  tree.Write("c/cache/copy1b", "old manifest");
  tree.Write("c/cache/other", "keep");
  WriteConfig("1.0", base, "C:\\cache\\copy1b");
  served[base + "update/soft.html"] = "1.0";
  RunUpdater(facility);
  EXPECT_FALSE(tree.Exists("c/cache/copy1b"));
  EXPECT_TRUE(tree.Exists("c/cache/other"));
  EXPECT_EQ(lastStage, 1);
  EXPECT_EQ(CacheNameSetting(), "C:\\cache\\copy1b");  // this run's copy has the same name
}

TEST_F(Form1Test, ProgressHandlerFollowsThePercentRule) {
  Form1 form({hostFiles, profile, shell, facility, window, programFile});
  struct Case {
    std::int32_t progress, max;
    const char* text;
  };
  const Case cases[] = {{29, 100, "下载进度：28%"},
                        {5, 0, "下载进度：0%"},
                        {300, 100, "下载进度：300%"},
                        {-7, 100, "下载进度：-8%"}};  // -0.07 * 100 is -7.000000000000001
  for (const auto& c : cases) {
    form.m_oFileDownload_OnProgress(c.progress, c.max, 5, "");
    EXPECT_EQ(form.ProgressText(), c.text);
  }
  // Outside a run (stage 0) a cache report is not taken either.
  form.m_oFileDownload_OnProgress(0, 0, 14, "C:\\x");
  EXPECT_EQ(form.CacheName(), "");
}

TEST_F(Form1Test, UpdaterAtTheRootOfADrive) {
  programFile = "C:\\update.exe";
  tree.Write("c/config.ini", "[soft]\r\nversion=1\r\nupdateURL=" + base + "\r\n");
  tree.MakeFolder("c/update");
  served[base + "update/soft.html"] = "1";
  RunUpdater(facility);
  ASSERT_EQ(facility.calls.size(), 1u);
  EXPECT_EQ(facility.calls[0].file, "C:\\update\\soft.html");
  ExpectClientStartedOnce("C:\\");
  EXPECT_EQ(profile.GetString("soft", "cacheName", "-", 1000, "C:\\config.ini"),
            "C:\\cache\\copy1b");
}

TEST(FolderOfProgram, KeepsTheBackslashOnlyAtADriveRoot) {
  EXPECT_EQ(FolderOfProgram("C:\\Program Files\\KVZ\\update.exe"), "C:\\Program Files\\KVZ");
  EXPECT_EQ(FolderOfProgram("C:\\update.exe"), "C:\\");
  EXPECT_EQ(FolderOfProgram("\\\\server\\share\\update.exe"), "\\\\server\\share");
  EXPECT_EQ(FolderOfProgram("update.exe"), "");
}

}  // namespace
}  // namespace kvz::updater
