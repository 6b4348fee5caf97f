#include <gtest/gtest.h>

#include "platform/host/curl_url_downloader.h"
#include "tests/updater/loopback_server.h"
#include "tests/updater/temp_tree.h"
#include "updater/file_download.h"

namespace kvz::updater {
namespace {

struct Report {
  std::int32_t progress, max, status;
  std::string text;
};

// The engine over libcurl against the fault-injecting loopback server. The
// tree's folder "c" is drive C:, "www" the server's files.
class CurlDownloadTest : public ::testing::Test {
 protected:
  testing::TempTree tree;
  std::string body = std::string(3000, 'a') + std::string(3000, 'b');
  std::unique_ptr<testing::LoopbackServer> server;
  platform::CurlUrlDownloader facility{tree.Root()};
  int messagePasses = 0;
  CFileDownload engine{facility, [this] { ++messagePasses; }};
  std::vector<Report> reports;

  void SetUp() override {
    tree.MakeFolder("c/kvz/update");
    tree.Write("www/soft/app.exe", body);
    tree.Write("www/soft/my file.txt", "blank");
    server = std::make_unique<testing::LoopbackServer>(tree.PathOf("www"), tree.Root());
    engine.OnProgress = [this](std::int32_t p, std::int32_t m, std::int32_t s,
                               const std::string& t) {
      reports.push_back({p, m, s, t});
    };
  }
  std::string Url(const std::string& path) const { return server->BaseUrl() + path; }
  bool Fetch(const std::string& path) {
    return engine.StartDownloading(Url(path), "C:\\kvz\\update\\app.exe");
  }
};

TEST_F(CurlDownloadTest, WholeFileWithBeginPiecesAndEndReports) {
  ASSERT_TRUE(Fetch("soft/app.exe"));
  EXPECT_EQ(tree.Read("c/kvz/update/app.exe"), body);
  ASSERT_GE(reports.size(), 3u);
  EXPECT_EQ(reports.front().status, 4);
  EXPECT_EQ(reports.front().max, 6000);
  EXPECT_EQ(reports.back().status, 6);
  EXPECT_EQ(reports.back().progress, 6000);
  EXPECT_EQ(reports.back().text, Url("soft/app.exe"));
  for (const auto& r : reports) EXPECT_NE(r.status, 14) << "libcurl keeps no cache";
  EXPECT_EQ(messagePasses, static_cast<int>(reports.size()));
  EXPECT_FALSE(engine.IsDownloading());
}

TEST_F(CurlDownloadTest, FaultsOfTheServerGiveFalse) {
  struct Case {
    const char* fault;
    bool result;
  };
  const Case cases[] = {
      {"404", false},   {"500", false},    {"drop", false},
      {"short", false}, {"silent", false}, {"trickle", true},
  };
  for (const auto& c : cases) {
    server->ClearFaults();
    server->SetFault("/soft/app.exe", c.fault);
    reports.clear();
    EXPECT_EQ(Fetch("soft/app.exe"), c.result) << c.fault;
    if (c.result) {
      EXPECT_EQ(tree.Read("c/kvz/update/app.exe"), body) << c.fault;
      int pieces = 0;
      for (const auto& r : reports) pieces += r.status == 5;
      EXPECT_GE(pieces, 8) << "a trickled body arrives in pieces, each reported";
    }
  }
}

TEST_F(CurlDownloadTest, MissingFileNoServerAndUnwritableTargetGiveFalse) {
  EXPECT_FALSE(Fetch("soft/none.exe"));
  const std::string closed =
      "http://127.0.0.1:" + std::to_string(testing::UnusedLoopbackPort()) + "/";
  EXPECT_FALSE(engine.StartDownloading(closed + "soft/app.exe", "C:\\kvz\\update\\app.exe"));
  EXPECT_FALSE(engine.StartDownloading(Url("soft/app.exe"), "C:\\kvz\\nofolder\\app.exe"));
  EXPECT_FALSE(engine.StartDownloading(Url("soft/app.exe"), "C:\\kvz\\update\\"));
  EXPECT_FALSE(engine.StartDownloading("not a url", "C:\\kvz\\update\\app.exe"));
}

TEST_F(CurlDownloadTest, NestedStartInsideAReportLeavesTheTransferWhole) {
  std::vector<bool> nested;
  engine.OnProgress = [&](std::int32_t, std::int32_t, std::int32_t, const std::string&) {
    nested.push_back(engine.StartDownloading(Url("soft/my file.txt"), "C:\\kvz\\update\\n"));
  };
  server->SetFault("/soft/app.exe", "trickle");
  ASSERT_TRUE(Fetch("soft/app.exe"));
  EXPECT_EQ(tree.Read("c/kvz/update/app.exe"), body);
  ASSERT_FALSE(nested.empty());
  for (bool started : nested) EXPECT_FALSE(started);
  EXPECT_FALSE(tree.Exists("c/kvz/update/n"));
  EXPECT_EQ(server->Requests(), std::vector<std::string>{"/soft/app.exe"});
}

TEST_F(CurlDownloadTest, TwoTransfersInARowAndEscapedBlank) {
  ASSERT_TRUE(Fetch("soft/app.exe"));
  ASSERT_TRUE(engine.StartDownloading(Url("soft/my file.txt"), "C:\\kvz\\update\\my file.txt"));
  EXPECT_EQ(tree.Read("c/kvz/update/my file.txt"), "blank");
  EXPECT_EQ(server->Requests(), (std::vector<std::string>{"/soft/app.exe", "/soft/my file.txt"}));
}

TEST_F(CurlDownloadTest, AbortFromAReportEndsTheTransferAsFailed) {
  int seen = 0;
  engine.OnProgress = [&](std::int32_t, std::int32_t, std::int32_t, const std::string&) {
    ++seen;
    engine.AbortDownloading();
  };
  server->SetFault("/soft/app.exe", "trickle");
  EXPECT_FALSE(Fetch("soft/app.exe"));
  EXPECT_LE(seen, 2) << "no piece is taken after the abort";
  EXPECT_FALSE(engine.IsDownloading());
  // The engine is usable again afterwards.
  engine.OnProgress = nullptr;
  server->ClearFaults();
  EXPECT_TRUE(Fetch("soft/app.exe"));
}

}  // namespace
}  // namespace kvz::updater
