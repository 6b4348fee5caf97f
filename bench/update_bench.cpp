// Updating 20 files of 5 MiB from a loopback server: the updater's whole run
// over libcurl (manifest, each file fetched, backed up and installed) against
// the curl tool fetching the same 20 files one after another in one process.
// Prints the times of each round and the ratio of the medians.
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/host/curl_url_downloader.h"
#include "platform/host/host_file_system.h"
#include "platform/host/host_profile_file.h"
#include "tests/fakes/fake_shell.h"
#include "tests/updater/loopback_server.h"
#include "tests/updater/temp_tree.h"
#include "updater/form1.h"

extern char** environ;

namespace {

constexpr int kFiles = 20;
constexpr std::size_t kFileSize = 5u << 20;
constexpr int kRounds = 3;

double Seconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

std::string FileName(int i) { return "part" + std::to_string(i) + ".bin"; }

class SilentWindow : public kvz::updater::IForm1Window {
 public:
  kvz::platform::WindowHandle Handle() override { return 0; }
  void SetCaption(const std::string&) override {}
  void SetProgressText(const std::string&) override {}
  void ProcessMessages() override {}
  void Destroy() override {}
};

// Every file is there in full (a stat each, timed on both sides alike).
bool AllArrived(const kvz::testing::TempTree& tree, const std::string& folder) {
  for (int i = 0; i < kFiles; ++i) {
    struct stat st;
    if (::stat(tree.PathOf(folder + FileName(i)).c_str(), &st) != 0) return false;
    if (static_cast<std::size_t>(st.st_size) != kFileSize) return false;
  }
  return true;
}

// One whole update run; false when the client would not be started.
bool RunUpdater(const kvz::testing::TempTree& tree) {
  kvz::platform::HostFileSystem files(tree.Root());
  kvz::platform::HostProfileFile profile(tree.Root());
  kvz::platform::CurlUrlDownloader curl(tree.Root());
  kvz::fakes::FakeShell shell;
  SilentWindow window;
  kvz::updater::Form1 form({files, profile, shell, curl, window, "C:\\kvz\\update.exe"});
  form.Form_Load();
  return shell.calls.size() == 1;
}

// curl -s -o f1 URL1 -o f2 URL2 ...: one process, one file after another.
bool RunCurlTool(const kvz::testing::TempTree& tree, const std::string& baseUrl) {
  std::vector<std::string> args = {"curl", "-s", "-f", "--noproxy", "*"};
  for (int i = 0; i < kFiles; ++i) {
    args.push_back("-o");
    args.push_back(tree.PathOf("curl/" + FileName(i)));
    args.push_back(baseUrl + "soft/" + FileName(i));
  }
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid;
  if (posix_spawnp(&pid, "curl", nullptr, nullptr, argv.data(), environ) != 0) return false;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main() {
  kvz::testing::TempTree tree;
  tree.MakeFolder("c/kvz/update");
  tree.MakeFolder("curl");
  std::string manifest = "1.1";
  std::string body(kFileSize, '\0');
  for (int i = 0; i < kFiles; ++i) {
    for (std::size_t b = 0; b < body.size(); ++b) body[b] = static_cast<char>((b * 31 + i) & 0xFF);
    tree.Write("www/soft/" + FileName(i), body);
    manifest += "\r\n" + FileName(i);
  }
  tree.Write("www/update/soft.html", manifest);
  kvz::testing::LoopbackServer server(tree.PathOf("www"), tree.Root());
  const std::string baseUrl = server.BaseUrl();

  std::printf("update of %d files of %zu MiB from 127.0.0.1\n", kFiles, kFileSize >> 20);
  std::printf("%-6s %14s %14s\n", "round", "updater (s)", "curl tool (s)");
  std::vector<double> ours, theirs;
  for (int round = 1; round <= kRounds; ++round) {
    tree.Write("c/kvz/config.ini", "[soft]\r\nversion=1.0\r\nupdateURL=" + baseUrl + "\r\n");
    double start = Seconds();
    if (!RunUpdater(tree) || !AllArrived(tree, "c/kvz/")) {
      std::fprintf(stderr, "the updater did not install every file\n");
      return 1;
    }
    ours.push_back(Seconds() - start);
    start = Seconds();
    if (!RunCurlTool(tree, baseUrl) || !AllArrived(tree, "curl/")) {
      std::fprintf(stderr, "curl failed\n");
      return 1;
    }
    theirs.push_back(Seconds() - start);
    std::printf("%-6d %14.3f %14.3f\n", round, ours.back(), theirs.back());
  }
  const double a = Median(ours), b = Median(theirs);
  std::printf("%-6s %14.3f %14.3f   ratio updater/curl %.2f\n", "median", a, b, a / b);
  return 0;
}
