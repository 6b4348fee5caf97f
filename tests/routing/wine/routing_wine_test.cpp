// The generated scripts run by the real command interpreter under Wine,
// with our stand-ins for ipconfig, findstr and route, and the shell's wait
// seen from a window's thread.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "client/routing/capture_script.h"
#include "client/routing/route_script.h"
#include "client/routing/route_table.h"
#include "client/routing/split_routing.h"
#include "platform/host/host_file_system.h"
#include "tests/routing/fixture_file.h"
#include "tests/routing/wine/wine_bench.h"

namespace kvz::client {
namespace {

using kvz::testing::ReadFixture;
using kvz::testing::SplitCrLf;
using kvz::testing::WineBench;

constexpr int kScriptBoundMs = 60000;  // a bound only: 138 route starts take a few seconds

std::string FixturePath(const std::string& name) {
  return WineBench::ZPath(std::string(KVZ_ROUTING_FIXTURES) + "/" + name);
}

std::optional<std::string> ReadHost(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Opens a command file the way the shell does for the client: in the command
// interpreter of the prefix, with the stand-ins' settings in its environment.
class WineCmdShell : public platform::IShell {
 public:
  explicit WineCmdShell(std::map<std::string, std::string> env) : env_(std::move(env)) {}

  std::intptr_t Execute(platform::WindowHandle, const std::string&, const std::string& file,
                        const std::optional<std::string>&, const std::string&, int) override {
    started_ = WineBench::Get().Start({"cmd.exe", "/c", file}, env_);
    return started_ > 0 ? 42 : 2;
  }
  bool ExecuteAndWait(platform::WindowHandle, const std::string&, const std::string& file,
                      const std::optional<std::string>&, const std::string&, int,
                      std::uint32_t timeoutMs) override {
    ++waits_;
    return WineBench::Get().Run({"cmd.exe", "/c", file}, env_, static_cast<int>(timeoutMs)).ended;
  }
  // The route script, which the client does not wait for; the test does.
  bool RouteScriptEnded() {
    return started_ > 0 && WineBench::Get().Wait(started_, kScriptBoundMs).ended;
  }
  int waits_ = 0;

 private:
  std::map<std::string, std::string> env_;
  int started_ = -1;
};

class RoutingUnderWine : public ::testing::Test {
 protected:
  void SetUp() override {
    bench = &WineBench::Get();
    journal = bench->DriveC() + "/route-journal.txt";
    ::unlink(journal.c_str());
    ::unlink((bench->DriveC() + "/cmd.cmd").c_str());
    ::unlink((bench->DriveC() + "/netInfo.tmp").c_str());
    env = {{"KVZ_SIM_IPCONFIG_FILE", FixturePath("ipconfig_dialup.txt")},
           {"KVZ_SIM_ROUTE_JOURNAL", "c:\\route-journal.txt"}};
  }
  bool OnC(const std::string& name) { return ReadHost(bench->DriveC() + "/" + name).has_value(); }

  WineBench* bench = nullptr;
  std::string journal;
  std::map<std::string, std::string> env;
};

TEST_F(RoutingUnderWine, CaptureScriptFiltersTheListingIntoNetInfo) {
  std::ofstream(bench->DriveC() + "/cmd.cmd", std::ios::binary) << CaptureScript();
  auto run = bench->Run({"cmd.exe", "/c", "c:\\cmd.cmd"}, env, kScriptBoundMs);
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(ReadHost(bench->DriveC() + "/netInfo.tmp"), ReadFixture("netinfo_dialup.txt"));
  EXPECT_FALSE(OnC("cmd.cmd"));
}

// The journal lines a route script leaves: the route commands' arguments.
std::vector<std::string> ExpectedJournal(const std::string& type, const std::string& gateway,
                                         const std::string& address) {
  std::vector<std::string> lines;
  const bool telecom = type == kTelecomNetworkType;
  if (telecom) {
    lines.push_back("DELETE 0.0.0.0");
    lines.push_back("ADD 0.0.0.0 Mask 0.0.0.0 " + gateway);
  }
  for (const RouteEntry& e : RouteTable()) {
    lines.push_back(std::string("ADD ") + e.network + " Mask " + e.mask + " " +
                    (telecom ? address : gateway));
  }
  lines.push_back("ADD 222.173.216.69 Mask 255.255.255.0 " + address);
  return lines;
}

struct TypeCase {
  const char* name;
  std::string type;
  bool routes;
  friend void PrintTo(const TypeCase& c, std::ostream* os) { *os << c.name; }
};

class SplitRoutingUnderWine : public RoutingUnderWine,
                              public ::testing::WithParamInterface<TypeCase> {};

TEST_P(SplitRoutingUnderWine, JournalsTheRoutesAndLeavesNoFiles) {
  // HostFileSystem maps drive C to "<root>/c": let that be the prefix's drive.
  const std::string root = bench->DriveC() + "/../host-root";
  ::mkdir(root.c_str(), 0755);
  ::unlink((root + "/c").c_str());
  ASSERT_EQ(::symlink(bench->DriveC().c_str(), (root + "/c").c_str()), 0);
  platform::HostFileSystem files(root);
  WineCmdShell shell(env);

  RunSplitRouting(GetParam().type, {files, shell, 0x1000});
  ASSERT_EQ(shell.waits_, 1);
  ASSERT_TRUE(shell.RouteScriptEnded());

  auto journalText = ReadHost(journal);
  if (GetParam().routes) {
    ASSERT_TRUE(journalText.has_value());
    std::vector<std::string> lines = SplitCrLf(*journalText);
    ASSERT_EQ(lines.back(), "");
    lines.pop_back();
    EXPECT_EQ(lines, ExpectedJournal(GetParam().type, "192.168.1.1", "10.8.0.6"));
  } else {
    EXPECT_FALSE(journalText.has_value());
  }
  EXPECT_FALSE(OnC("cmd.cmd"));
  EXPECT_FALSE(OnC("netInfo.tmp"));
}

INSTANTIATE_TEST_SUITE_P(NetworkTypes, SplitRoutingUnderWine,
                         ::testing::Values(TypeCase{"Telecom", kTelecomNetworkType, true},
                                           TypeCase{"Netcom", kNetcomNetworkType, true},
                                           TypeCase{"Internal", "\xc4\xda\xb2\xbf\xcd\xf8\xc2\xe7",
                                                    false}),
                         [](const auto& info) { return std::string(info.param.name); });

// The probe's "key=value" report.
std::map<std::string, std::string> ProbeReport(const std::string& output) {
  std::map<std::string, std::string> report;
  for (const std::string& line : SplitCrLf(output)) {
    auto eq = line.find('=');
    if (eq != std::string::npos) report[line.substr(0, eq)] = line.substr(eq + 1);
  }
  return report;
}

class ShellWaitUnderWine : public RoutingUnderWine {
 protected:
  std::map<std::string, std::string> Probe(const std::string& file, const std::string& timeoutMs,
                                           const std::string& ipconfigDelayMs) {
    std::ofstream(bench->DriveC() + "/slow.cmd", std::ios::binary)
        << "ipconfig > nul\r\necho done > c:\\marker.txt\r\n";
    ::unlink((bench->DriveC() + "/marker.txt").c_str());
    auto probeEnv = env;
    probeEnv["KVZ_SIM_IPCONFIG_DELAY_MS"] = ipconfigDelayMs;
    auto run = bench->Run({"shell_wait_probe.exe", file, timeoutMs, "c:\\marker.txt"}, probeEnv,
                          kScriptBoundMs);
    EXPECT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    return ProbeReport(run.output);
  }
};

TEST_F(ShellWaitUnderWine, ReturnsWhenTheProcessHasEndedAndKeepsPainting) {
  auto report = Probe("c:\\slow.cmd", "30000", "1500");
  EXPECT_EQ(report["ended"], "1");
  EXPECT_EQ(report["marker"], "1");  // the script's last command had run
  EXPECT_NE(report["paints"], "0");
  EXPECT_EQ(report["commands"], "0");  // posted commands wait for the loop
  EXPECT_EQ(report["commandsAfter"], "1");
}

TEST_F(ShellWaitUnderWine, GivesUpAtTheBound) {
  auto report = Probe("c:\\slow.cmd", "300", "4000");
  EXPECT_EQ(report["ended"], "0");
  EXPECT_EQ(report["marker"], "0");
  EXPECT_EQ(report["commands"], "0");
  // The script runs on after the probe; let it finish before the next test.
  for (int waited = 0; !OnC("marker.txt") && waited < 30000; waited += 20) ::usleep(20000);
  EXPECT_TRUE(OnC("marker.txt"));
}

TEST_F(ShellWaitUnderWine, MissingFileIsAFailedStart) {
  auto report = Probe("c:\\no-such-script.cmd", "3000", "0");
  EXPECT_EQ(report["ended"], "0");
}

}  // namespace
}  // namespace kvz::client
