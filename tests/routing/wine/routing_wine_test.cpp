// The capture script run by the real command interpreter under Wine with our
// ipconfig and findstr stand-ins, and the shell's wait seen from a window's
// thread. (The route scripts run under Wine in the end-to-end cases, started
// by the client itself.)
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>

#include "client/routing/capture_script.h"
#include "tests/routing/fixture_file.h"
#include "tests/routing/wine/wine_bench.h"

namespace kvz::client {
namespace {

using kvz::testing::ReadFixture;
using kvz::testing::SplitCrLf;
using kvz::testing::WineBench;

constexpr int kScriptBoundMs = 60000;  // a bound only, far above what a run takes

std::string FixturePath(const std::string& name) {
  return WineBench::ZPath(std::string(KVZ_ROUTING_FIXTURES) + "/" + name);
}

std::optional<std::string> ReadHost(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class RoutingUnderWine : public ::testing::Test {
 protected:
  void SetUp() override {
    bench = &WineBench::Get();
    ::unlink((bench->DriveC() + "/cmd.cmd").c_str());
    ::unlink((bench->DriveC() + "/netInfo.tmp").c_str());
    env = {{"KVZ_SIM_IPCONFIG_FILE", FixturePath("ipconfig_dialup.txt")}};
  }
  bool OnC(const std::string& name) { return ReadHost(bench->DriveC() + "/" + name).has_value(); }

  WineBench* bench = nullptr;
  std::map<std::string, std::string> env;
};

TEST_F(RoutingUnderWine, CaptureScriptFiltersTheListingIntoNetInfo) {
  std::ofstream(bench->DriveC() + "/cmd.cmd", std::ios::binary) << CaptureScript();
  auto run = bench->Run({"cmd.exe", "/c", "c:\\cmd.cmd"}, env, kScriptBoundMs);
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(ReadHost(bench->DriveC() + "/netInfo.tmp"), ReadFixture("netinfo_dialup.txt"));
  EXPECT_FALSE(OnC("cmd.cmd"));
}

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
