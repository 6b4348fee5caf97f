// Time from the connected report to the route script's start, and whether the
// routes survive, for capture processes of several durations: the client's
// wait for the capture process against a fixed one-second sleep.
//
// The capture is a real process. By default a shell process stands for the
// capture script: it takes the given time (ipconfig), then leaves the filtered
// lines in the net-info file and deletes the command file, as the script's
// last line does; files live in a temporary drive root. With --wine (run it
// through bench/route_wait_bench.sh, which makes the Wine prefix) the real
// capture script runs in Wine's command interpreter on the prefix's drive C,
// with our ipconfig stand-in taking the given time.
//
//   route_wait_bench [--wine] [REPEATS]
#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "client/routing/capture_script.h"
#include "client/routing/key_value.h"
#include "client/routing/route_script.h"
#include "client/routing/script_files.h"
#include "client/routing/split_routing.h"
#include "platform/host/host_file_system.h"

extern char** environ;

namespace {

using kvz::platform::HostFileSystem;

const char kNetInfo[] =
    "        IP Address. . . . . . . . . . . . : 192.168.1.100\r\n"
    "        Default Gateway . . . . . . . . . : 192.168.1.1\r\n"
    "        IP Address. . . . . . . . . . . . : 10.8.0.6\r\n"
    "        Default Gateway . . . . . . . . . : 10.8.0.6\r\n";

double NowMs() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

struct Drive {
  std::string root;
  std::string c;
  std::string fixture;
  std::string wine;  // the Wine loader; empty for the shell capture
};

// Drive C is a folder of its own, or a link to the Wine prefix's drive.
Drive MakeDrive(bool wine) {
  char pattern[] = "/tmp/kvz-route-bench-XXXXXX";
  Drive d;
  d.root = mkdtemp(pattern);
  d.c = d.root + "/c";
  if (wine) {
    const char* loader = std::getenv("KVZ_WINE");
    const char* prefix = std::getenv("WINEPREFIX");
    if (!loader || !prefix) {
      std::fprintf(stderr, "--wine needs KVZ_WINE and WINEPREFIX (bench/route_wait_bench.sh)\n");
      std::exit(2);
    }
    d.wine = loader;
    symlink((std::string(prefix) + "/drive_c").c_str(), d.c.c_str());
  } else {
    mkdir(d.c.c_str(), 0755);
  }
  d.fixture = d.root + "/netinfo.txt";
  FILE* f = std::fopen(d.fixture.c_str(), "wb");
  std::fputs(kNetInfo, f);
  std::fclose(f);
  return d;
}

// Starts the capture process of the given duration.
pid_t StartCapture(const Drive& d, int durationMs) {
  pid_t pid = -1;
  if (!d.wine.empty()) {
    setenv("KVZ_SIM_IPCONFIG_DELAY_MS", std::to_string(durationMs).c_str(), 1);
    const char* argv[] = {d.wine.c_str(), "cmd.exe", "/c", "c:\\cmd.cmd", nullptr};
    // The script's echo of its own lines is not part of the figures.
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    posix_spawn(&pid, d.wine.c_str(), &quiet, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&quiet);
    return pid;
  }
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%.3f", durationMs / 1000.0);
  std::string script = std::string("sleep ") + seconds + "; cp '" + d.fixture + "' '" + d.c +
                       "/netInfo.tmp'; rm -f '" + d.c + "/cmd.cmd'";
  const char* argv[] = {"/bin/sh", "-c", script.c_str(), nullptr};
  posix_spawn(&pid, "/bin/sh", nullptr, nullptr, const_cast<char**>(argv), environ);
  return pid;
}

// True once the process has ended (or was collected before).
bool WaitFor(pid_t pid, int timeoutMs) {
  const double end = NowMs() + timeoutMs;
  for (;;) {
    pid_t r = waitpid(pid, nullptr, WNOHANG);
    if (r == pid || (r < 0 && errno == ECHILD)) return true;
    if (NowMs() >= end) return false;
    usleep(1000);
  }
}

struct Outcome {
  double routeStartMs = -1;  // -1: no route script was started
  bool routesSurvived = false;
};

// The client's shell, with the capture stand-in as the opened script.
class ProcessShell : public kvz::platform::IShell {
 public:
  ProcessShell(const Drive& d, int durationMs, double t0) : d_(d), duration_(durationMs), t0_(t0) {}
  std::intptr_t Execute(kvz::platform::WindowHandle, const std::string&, const std::string&,
                        const std::optional<std::string>&, const std::string&, int) override {
    routeStartMs = NowMs() - t0_;
    return 42;
  }
  bool ExecuteAndWait(kvz::platform::WindowHandle, const std::string&, const std::string&,
                      const std::optional<std::string>&, const std::string&, int,
                      std::uint32_t timeoutMs) override {
    capture = StartCapture(d_, duration_);
    return WaitFor(capture, static_cast<int>(timeoutMs));
  }
  double routeStartMs = -1;
  pid_t capture = -1;

 private:
  const Drive& d_;
  int duration_;
  double t0_;
};

// The route script still in place once no capture is left to delete it.
bool RouteScriptSurvived(HostFileSystem& files) {
  auto content = files.ReadWholeFile(kvz::client::kCommandScriptPath);
  return content && *content != kvz::client::CaptureScript();
}

void Reset(const Drive& d) {
  unlink((d.c + "/cmd.cmd").c_str());
  unlink((d.c + "/netInfo.tmp").c_str());
}

// "电信网络" as the settings file holds it (GBK).
const char kTelecom[] = "\xb5\xe7\xd0\xc5\xcd\xf8\xc2\xe7";

Outcome RunWaiting(const Drive& d, int durationMs) {
  Reset(d);
  HostFileSystem files(d.root);
  const double t0 = NowMs();
  ProcessShell shell(d, durationMs, t0);
  kvz::client::RunSplitRouting(kTelecom, {files, shell, 0});
  if (shell.capture > 0) WaitFor(shell.capture, 60000);
  return {shell.routeStartMs, shell.routeStartMs >= 0 && RouteScriptSurvived(files)};
}

// The way it was: start the capture, sleep a second, parse whatever is there.
Outcome RunFixedSecond(const Drive& d, int durationMs) {
  using namespace kvz::client;
  Reset(d);
  HostFileSystem files(d.root);
  const double t0 = NowMs();
  Outcome outcome;
  files.WriteWholeFile(kCommandScriptPath, CaptureScript());
  pid_t capture = StartCapture(d, durationMs);
  usleep(1000 * 1000);
  NetworkValues values =
      ReadNetworkValues(BuildCapturedText(files.ReadWholeFile(kNetInfoPath).value_or("")));
  if (CheckAddressShape(values.gateway) == "0" && CheckAddressShape(values.address) == "0") {
    files.WriteWholeFile(kCommandScriptPath,
                         BuildRouteScript(values.gateway, values.address, kTelecom));
    outcome.routeStartMs = NowMs() - t0;
  }
  WaitFor(capture, 60000);
  outcome.routesSurvived = outcome.routeStartMs >= 0 && RouteScriptSurvived(files);
  return outcome;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

std::string Describe(const std::vector<Outcome>& runs) {
  std::vector<double> starts;
  int survived = 0;
  for (const Outcome& o : runs) {
    if (o.routeStartMs >= 0) starts.push_back(o.routeStartMs);
    survived += o.routesSurvived;
  }
  // "none": no run got as far as a route script (nothing to parse yet).
  char text[96];
  if (starts.empty()) {
    std::snprintf(text, sizeof text, "%9s  routes 0/%zu", "none", runs.size());
  } else {
    std::snprintf(text, sizeof text, "%6.0f ms  routes %d/%zu", Median(starts), survived,
                  runs.size());
  }
  std::string described = text;
  if (!starts.empty() && starts.size() < runs.size()) {
    described += " (" + std::to_string(starts.size()) + " started)";
  }
  return described;
}

}  // namespace

int main(int argc, char** argv) {
  bool wine = false;
  int repeats = 3;
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--wine") {
      wine = true;
    } else {
      repeats = std::max(1, std::atoi(argv[i]));
    }
  }
  const int durations[] = {50, 300, 800, 1200, 3000};
  Drive d = MakeDrive(wine);

  std::printf("Connected report to route-script start (median of %d), routes kept; capture: %s\n",
              repeats, wine ? "the capture script in Wine's cmd.exe" : "a shell process");
  std::printf("%-12s | %-28s | %-28s\n", "ipconfig", "wait for the capture", "fixed 1 s sleep");
  for (int duration : durations) {
    std::vector<Outcome> waiting, fixed;
    for (int i = 0; i < repeats; ++i) {
      waiting.push_back(RunWaiting(d, duration));
      fixed.push_back(RunFixedSecond(d, duration));
    }
    std::printf("%7d ms   | %-28s | %-28s\n", duration, Describe(waiting).c_str(),
                Describe(fixed).c_str());
    std::fflush(stdout);
  }
  Reset(d);
  unlink(d.fixture.c_str());
  if (wine) {
    unlink(d.c.c_str());
  } else {
    rmdir(d.c.c_str());
  }
  rmdir(d.root.c_str());
  return 0;
}
