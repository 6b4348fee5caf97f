#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "platform/host/curl_url_downloader.h"
#include "tests/updater/loopback_server.h"
#include "tests/updater/update_run_fixture.h"

namespace kvz::updater {
namespace {

// Whole runs of the updater with the real libcurl facility against the
// fault-injecting loopback server, on real files.
class UpdateRunTest : public testing::UpdateRunFixture {
 protected:
  std::unique_ptr<testing::LoopbackServer> server;
  platform::CurlUrlDownloader curl{tree.Root()};

  void SetUp() override {
    UpdateRunFixture::SetUp();
    tree.MakeFolder("www/update");
    tree.MakeFolder("www/soft");
    server = std::make_unique<testing::LoopbackServer>(tree.PathOf("www"), tree.Root());
    WriteConfig("1.0", server->BaseUrl());
    Install("KVZClient.exe", "client 1.0");
    Install("a.dll", "a 1.0");
  }
  void Publish(const std::string& name, const std::string& bytes) {
    tree.Write("www/soft/" + name, bytes);
  }
  void PublishManifest(const std::string& text) { tree.Write("www/update/soft.html", text); }
  void Run() { RunUpdater(curl); }
  // Nothing but the manifest's copy was added to the update folder and the
  // installed files are as before.
  void ExpectNothingSwapped() {
    EXPECT_EQ(Installed("KVZClient.exe"), "client 1.0");
    EXPECT_EQ(Installed("a.dll"), "a 1.0");
    EXPECT_FALSE(tree.Exists("c/kvz/update/a.dll.bak"));
    EXPECT_FALSE(tree.Exists("c/kvz/update/KVZClient.exe.bak"));
  }
};

TEST_F(UpdateRunTest, NewerVersionSwapsEveryFileWithBackups) {
  PublishManifest("1.1\r\nKVZClient.exe\r\na.dll\r\nnew.dat");
  Publish("KVZClient.exe", "client 1.1");
  Publish("a.dll", "a 1.1");
  Publish("new.dat", "first install");
  Run();
  EXPECT_EQ(Installed("KVZClient.exe"), "client 1.1");
  EXPECT_EQ(Installed("a.dll"), "a 1.1");
  EXPECT_EQ(Installed("new.dat"), "first install");
  EXPECT_EQ(InUpdateFolder("KVZClient.exe.bak"), "client 1.0");
  EXPECT_EQ(InUpdateFolder("a.dll.bak"), "a 1.0");
  EXPECT_FALSE(tree.Exists("c/kvz/update/new.dat.bak")) << "nothing to back up at a first install";
  EXPECT_FALSE(tree.Exists("c/kvz/update/a.dll"));
  EXPECT_EQ(InUpdateFolder("soft.html"), "1.1\r\nKVZClient.exe\r\na.dll\r\nnew.dat");
  EXPECT_EQ(server->Requests(),
            (std::vector<std::string>{"/update/soft.html", "/soft/KVZClient.exe", "/soft/a.dll",
                                      "/soft/new.dat"}));
  EXPECT_EQ(lastStage, 2);
  EXPECT_EQ(cacheNameAtStart, "") << "libcurl keeps no cache, so the key is written empty";
  ExpectClientStartedOnce();
}

TEST_F(UpdateRunTest, OlderBackupIsReplaced) {
  tree.Write("c/kvz/update/a.dll.bak", "a 0.9");
  PublishManifest("1.1\r\na.dll");
  Publish("a.dll", "a 1.1");
  Run();
  EXPECT_EQ(Installed("a.dll"), "a 1.1");
  EXPECT_EQ(InUpdateFolder("a.dll.bak"), "a 1.0");
}

TEST_F(UpdateRunTest, ManifestThatCannotBeFetchedStopsTheRun) {
  struct Case {
    const char* what;
    std::function<void()> arrange;
  };
  const Case cases[] = {
      {"no server",
       [this] {
         WriteConfig("1.0",
                     "http://127.0.0.1:" + std::to_string(testing::UnusedLoopbackPort()) + "/");
       }},
      {"404", [this] { server->SetFault("/update/soft.html", "404"); }},
      {"500", [this] { server->SetFault("/update/soft.html", "500"); }},
      {"dropped", [this] { server->SetFault("/update/soft.html", "drop"); }},
      {"bad address", [this] { WriteConfig("1.0", ""); }},
      {"no config.ini", [this] { std::remove(tree.PathOf("c/kvz/config.ini").c_str()); }},
      {"no update folder",
       [this] {
         std::remove(tree.PathOf("c/kvz/update/soft.html").c_str());
         std::remove(tree.PathOf("c/kvz/update").c_str());
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    shell.calls.clear();
    window.destroyCalls = 0;
    tree.MakeFolder("c/kvz/update");
    WriteConfig("1.0", server->BaseUrl(), "C:\\stale\\cache.html");
    server->ClearFaults();
    server->ClearRequests();
    PublishManifest("9.0\r\na.dll");
    Publish("a.dll", "a 9.0");
    c.arrange();
    Run();
    EXPECT_EQ(lastStage, 1);
    ExpectNothingSwapped();
    EXPECT_EQ(cacheNameAtStart, "");
    ExpectClientStartedOnce();
    for (const auto& request : server->Requests()) EXPECT_EQ(request, "/update/soft.html");
  }
}

TEST_F(UpdateRunTest, EmptyManifestStopsTheRun) {
  PublishManifest("");
  Run();
  EXPECT_EQ(lastStage, 1);
  ExpectNothingSwapped();
  EXPECT_EQ(cacheNameAtStart, "");
  ExpectClientStartedOnce();
}

TEST_F(UpdateRunTest, VersionNotNewerFetchesNothingElse) {
  for (const char* version : {"1.0", "1.0.1", "1", "0.0"}) {
    SCOPED_TRACE(version);
    shell.calls.clear();
    window.destroyCalls = 0;
    server->ClearRequests();
    PublishManifest(std::string(version) + "\r\na.dll");
    Publish("a.dll", "a new");
    Run();
    EXPECT_EQ(lastStage, 1);
    ExpectNothingSwapped();
    EXPECT_EQ(server->Requests(), std::vector<std::string>{"/update/soft.html"});
    ExpectClientStartedOnce();
  }
}

TEST_F(UpdateRunTest, ManifestWithVersionLineOnlyOrLfLineEndsListsNoFile) {
  for (const char* manifest : {"1.1", "1.1\na.dll\nKVZClient.exe\n"}) {
    shell.calls.clear();
    window.destroyCalls = 0;
    server->ClearRequests();
    PublishManifest(manifest);
    Publish("a.dll", "a 1.1");
    Run();
    EXPECT_EQ(lastStage, 2);
    ExpectNothingSwapped();
    EXPECT_EQ(server->Requests(), std::vector<std::string>{"/update/soft.html"});
    ExpectClientStartedOnce();
  }
}

TEST_F(UpdateRunTest, FinalCrLfEndsTheRunAfterAllRealEntries) {
  PublishManifest("1.1\r\na.dll\r\nKVZClient.exe\r\n");
  Publish("a.dll", "a 1.1");
  Publish("KVZClient.exe", "client 1.1");
  Run();
  EXPECT_EQ(Installed("a.dll"), "a 1.1");
  EXPECT_EQ(Installed("KVZClient.exe"), "client 1.1");
  EXPECT_EQ(InUpdateFolder("KVZClient.exe.bak"), "client 1.0");
  EXPECT_TRUE(tree.Exists("c/kvz/update"))
      << "the empty entry's target is the update folder itself";
  ExpectClientStartedOnce();
}

TEST_F(UpdateRunTest, FailingTransferStopsAtThatEntryAndLeavesItsInstalledCopy) {
  for (const char* fault : {"404", "500", "drop", "short", "silent"}) {
    SCOPED_TRACE(fault);
    shell.calls.clear();
    window.destroyCalls = 0;
    Install("KVZClient.exe", "client 1.0");
    Install("a.dll", "a 1.0");
    Install("b.dll", "b 1.0");
    std::remove(tree.PathOf("c/kvz/update/a.dll.bak").c_str());
    std::remove(tree.PathOf("c/kvz/update/KVZClient.exe").c_str());
    server->ClearFaults();
    server->ClearRequests();
    server->SetFault("/soft/KVZClient.exe", fault);
    PublishManifest("1.1\r\na.dll\r\nKVZClient.exe\r\nb.dll");
    Publish("a.dll", "a 1.1");
    Publish("KVZClient.exe", std::string(4000, 'N'));
    Publish("b.dll", "b 1.1");
    Run();
    EXPECT_EQ(Installed("a.dll"), "a 1.1");
    EXPECT_EQ(InUpdateFolder("a.dll.bak"), "a 1.0");
    EXPECT_EQ(Installed("KVZClient.exe"), "client 1.0") << "no error page or half file installed";
    EXPECT_FALSE(tree.Exists("c/kvz/update/KVZClient.exe.bak"));
    EXPECT_EQ(Installed("b.dll"), "b 1.0");
    // A kept connection that closes without an answer may have gone stale,
    // so libcurl (like wininet) asks once more: repeats are collapsed.
    std::vector<std::string> requests = server->Requests();
    requests.erase(std::unique(requests.begin(), requests.end()), requests.end());
    EXPECT_EQ(requests, (std::vector<std::string>{"/update/soft.html", "/soft/a.dll",
                                                  "/soft/KVZClient.exe"}));
    ExpectClientStartedOnce();
  }
}

TEST_F(UpdateRunTest, SlowTrickleStillInstallsTheWholeFile) {
  server->SetFault("/soft/a.dll", "trickle");
  PublishManifest("1.1\r\na.dll");
  Publish("a.dll", std::string(2000, 'T'));
  Run();
  EXPECT_EQ(Installed("a.dll"), std::string(2000, 'T'));
  EXPECT_GT(window.progressTexts.size(), 10u);
  ExpectClientStartedOnce();
}

TEST_F(UpdateRunTest, HostileNamesAreRefusedLikeFailedTransfers) {
  for (const char* name : {"..\\evil.exe", "../evil.exe", "html\\..\\..\\evil.exe", "\\evil.exe",
                           "/evil.exe", "C:\\evil.exe", "c:evil.exe"}) {
    SCOPED_TRACE(name);
    shell.calls.clear();
    window.destroyCalls = 0;
    server->ClearRequests();
    Install("a.dll", "a 1.0");
    PublishManifest(std::string("1.1\r\n") + name + "\r\na.dll");
    Publish("a.dll", "a 1.1");
    tree.Write("www/evil.exe", "evil");
    tree.Write("www/soft/evil.exe", "evil");
    Run();
    EXPECT_FALSE(tree.Exists("c/evil.exe"));
    EXPECT_FALSE(tree.Exists("c/kvz/evil.exe"));
    EXPECT_FALSE(tree.Exists("evil.exe"));
    EXPECT_EQ(Installed("a.dll"), "a 1.0") << "the run stops at the refused entry";
    EXPECT_EQ(server->Requests(), std::vector<std::string>{"/update/soft.html"});
    ExpectClientStartedOnce();
  }
}

TEST_F(UpdateRunTest, TargetThatCannotBeReplacedStaysAndTheLoopGoesOn) {
  // A folder in the way of the file and a file in the way of its backup:
  // both moves fail.
  tree.Write("c/kvz/busy/inside", "x");
  tree.Write("c/kvz/update/busy.bak", "older backup");
  PublishManifest("1.1\r\nbusy\r\na.dll");
  Publish("busy", "busy 1.1");
  Publish("a.dll", "a 1.1");
  Run();
  EXPECT_EQ(tree.Read("c/kvz/busy/inside"), "x");
  EXPECT_EQ(InUpdateFolder("busy"), "busy 1.1") << "the new file stays in the update folder";
  EXPECT_EQ(Installed("a.dll"), "a 1.1");
  ExpectClientStartedOnce();
}

// Passes everything to the host files, but the chosen move fails.
class FailingMoveFiles : public platform::HostFileSystem {
 public:
  using HostFileSystem::HostFileSystem;
  std::string failFrom;
  bool MoveFileReplace(const std::string& from, const std::string& to) override {
    if (from == failFrom) return false;
    return HostFileSystem::MoveFileReplace(from, to);
  }
  bool unreadable = false;
  std::optional<std::string> ReadWholeFile(const std::string& path) override {
    if (unreadable) return std::nullopt;
    return HostFileSystem::ReadWholeFile(path);
  }
};

TEST_F(UpdateRunTest, FailedInstallMovePutsTheBackupBack) {
  FailingMoveFiles files(tree.Root());
  files.failFrom = "C:\\kvz\\update\\KVZClient.exe";
  PublishManifest("1.1\r\nKVZClient.exe\r\na.dll");
  Publish("KVZClient.exe", "client 1.1");
  Publish("a.dll", "a 1.1");
  RunUpdater(curl, &files);
  EXPECT_EQ(Installed("KVZClient.exe"), "client 1.0") << "the client can still start";
  EXPECT_EQ(InUpdateFolder("KVZClient.exe"), "client 1.1");
  EXPECT_FALSE(tree.Exists("c/kvz/update/KVZClient.exe.bak"));
  EXPECT_EQ(Installed("a.dll"), "a 1.1") << "the loop goes on";
  ExpectClientStartedOnce();
}

TEST_F(UpdateRunTest, ManifestThatCannotBeReadStopsTheRun) {
  FailingMoveFiles files(tree.Root());
  files.unreadable = true;
  PublishManifest("1.1\r\na.dll");
  Publish("a.dll", "a 1.1");
  RunUpdater(curl, &files);
  ExpectNothingSwapped();
  EXPECT_EQ(server->Requests(), std::vector<std::string>{"/update/soft.html"});
  ExpectClientStartedOnce();
}

TEST_F(UpdateRunTest, ManifestBeyondTheEntryLimitIsRefusedWhole) {
  std::string atLimit = "1.1";
  for (int i = 0; i < 32767; ++i) atLimit += "\r\nmissing" + std::to_string(i);
  PublishManifest(atLimit);
  Run();
  EXPECT_EQ(server->Requests(), (std::vector<std::string>{"/update/soft.html", "/soft/missing0"}))
      << "32,767 entries are still a manifest";
  shell.calls.clear();
  window.destroyCalls = 0;
  server->ClearRequests();
  PublishManifest(atLimit + "\r\na.dll");
  Publish("missing0", "m");
  Run();
  EXPECT_EQ(server->Requests(), std::vector<std::string>{"/update/soft.html"});
  EXPECT_FALSE(tree.Exists("c/kvz/missing0"));
  ExpectClientStartedOnce();
}

TEST_F(UpdateRunTest, NewConfigIniBringsTheVersionAndKeepsTheCacheKey) {
  PublishManifest("1.1\r\nconfig.ini\r\na.dll");
  Publish("config.ini", "[soft]\r\nversion=1.1\r\nupdateURL=" + server->BaseUrl() + "\r\n");
  Publish("a.dll", "a 1.1");
  Run();
  EXPECT_EQ(profile.GetString("soft", "version", "", 1000, "C:\\kvz\\config.ini"), "1.1");
  EXPECT_EQ(CacheNameSetting(), "");
  EXPECT_NE(InUpdateFolder("config.ini.bak")->find("version=1.0"), std::string::npos);
  // The next run finds nothing newer.
  shell.calls.clear();
  window.destroyCalls = 0;
  server->ClearRequests();
  Run();
  EXPECT_EQ(server->Requests(), std::vector<std::string>{"/update/soft.html"});
  ExpectClientStartedOnce();
}

}  // namespace
}  // namespace kvz::updater
