#include "client/routing/split_routing.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "client/routing/capture_script.h"
#include "client/routing/route_script.h"
#include "platform/host/host_file_system.h"
#include "tests/fakes/fake_shell.h"
#include "tests/routing/fixture_file.h"
#include "tests/routing/temp_drive.h"

namespace kvz::client {
namespace {

using kvz::testing::ReadFixture;

constexpr platform::WindowHandle kOwner = 0x1000;

class SplitRouting : public ::testing::Test {
 protected:
  kvz::testing::TempDrive drive;
  platform::HostFileSystem files{drive.Root()};
  fakes::FakeShell shell;
  SplitRoutingDeps deps{files, shell, kOwner};

  // Acts as the capture script when the shell opens it: checks what it was
  // given, leaves `netInfo` (or nothing) and deletes itself like the real one.
  void CaptureLeaves(std::optional<std::string> netInfo, bool deletesItself = true) {
    shell.onExecute = [this, netInfo, deletesItself](const fakes::FakeShell::Call& call) {
      if (!call.waited) return;
      capturedScript = drive.Read("cmd.cmd");
      if (netInfo) drive.Write("netInfo.tmp", *netInfo);
      if (deletesItself) drive.Remove("cmd.cmd");
    };
  }

  void ExpectHiddenOpenOfCommandFile(const fakes::FakeShell::Call& call) {
    EXPECT_EQ(call.owner, kOwner);
    EXPECT_EQ(call.verb, "Open");
    EXPECT_EQ(call.file, "c:\\cmd.cmd");
    EXPECT_EQ(call.parameters, std::nullopt);
    EXPECT_EQ(call.directory, "");
    EXPECT_EQ(call.show, 0);
  }

  std::string capturedScript;
};

TEST_F(SplitRouting, WaitsForTheCaptureThenStartsTheRouteScript) {
  CaptureLeaves(ReadFixture("netinfo_dialup.txt"));
  RunSplitRouting(kTelecomNetworkType, deps);

  EXPECT_EQ(capturedScript, CaptureScript());
  ASSERT_EQ(shell.calls.size(), 2u);
  ExpectHiddenOpenOfCommandFile(shell.calls[0]);
  EXPECT_TRUE(shell.calls[0].waited);
  EXPECT_EQ(shell.calls[0].timeoutMs, kCaptureTimeoutMs);
  ExpectHiddenOpenOfCommandFile(shell.calls[1]);
  EXPECT_FALSE(shell.calls[1].waited);
  EXPECT_EQ(drive.Read("cmd.cmd"), ReadFixture("route_telecom.cmd"));
}

TEST_F(SplitRouting, WritesTheScriptOfTheNetworkType) {
  const std::string netInfo = ReadFixture("netinfo_dialup.txt");
  const struct {
    std::string type;
    const char* fixture;
  } cases[] = {{kNetcomNetworkType, "route_netcom.cmd"},
               {"\xc4\xda\xb2\xbf\xcd\xf8\xc2\xe7", "route_internal.cmd"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fixture);
    shell.calls.clear();
    CaptureLeaves(netInfo);
    RunSplitRouting(c.type, deps);
    ASSERT_EQ(shell.calls.size(), 2u);
    EXPECT_EQ(drive.Read("cmd.cmd"), ReadFixture(c.fixture));
  }
}

TEST_F(SplitRouting, HonoursTheGivenBound) {
  deps.captureTimeoutMs = 1234;
  CaptureLeaves(ReadFixture("netinfo_dialup.txt"));
  RunSplitRouting(kTelecomNetworkType, deps);
  ASSERT_FALSE(shell.calls.empty());
  EXPECT_EQ(shell.calls[0].timeoutMs, 1234u);
}

// Every stop is silent: the capture ran, nothing else is started or written.
struct StopCase {
  const char* name;
  std::optional<std::string> netInfo;
  friend void PrintTo(const StopCase& c, std::ostream* os) { *os << c.name; }
};

class SplitRoutingStops : public SplitRouting, public ::testing::WithParamInterface<StopCase> {};

TEST_P(SplitRoutingStops, StartNoRouteScript) {
  CaptureLeaves(GetParam().netInfo);
  RunSplitRouting(kTelecomNetworkType, deps);
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_TRUE(shell.calls[0].waited);
  EXPECT_FALSE(drive.Exists("cmd.cmd"));
  // What the capture left stays for the next one to overwrite.
  EXPECT_EQ(drive.Exists("netInfo.tmp"), GetParam().netInfo.has_value());
}

const std::string kIp = "IP Address. . . . . . . . . . . . : ";
const std::string kGw = "Default Gateway . . . . . . . . . : ";

INSTANTIATE_TEST_SUITE_P(
    Captures, SplitRoutingStops,
    ::testing::Values(
        StopCase{"NoNetInfoFile", std::nullopt}, StopCase{"EmptyNetInfoFile", std::string()},
        StopCase{"GatewayNotAnAddress",
                 kIp + "192.168.1.100\r\n" + kGw + "192.168.1\r\n" + kIp + "10.8.0.6\r\n"},
        StopCase{"LinkNotListedYet", kIp + "192.168.1.100\r\n" + kGw + "192.168.1.1\r\n"},
        StopCase{"LinkAddressNotAnAddress",
                 kIp + "192.168.1.100\r\n" + kGw + "192.168.1.1\r\n" + kIp + "fe80::1\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SplitRouting, CaptureStillRunningAtTheBoundGetsNoRouteScript) {
  // The capture has already filtered good lines but has not deleted its
  // script yet: writing the route script now would lose it to that delete.
  CaptureLeaves(ReadFixture("netinfo_dialup.txt"), /*deletesItself=*/false);
  shell.waitEndsInTime = false;
  RunSplitRouting(kTelecomNetworkType, deps);
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(drive.Read("cmd.cmd"), CaptureScript());
}

TEST_F(SplitRouting, UnwritableCaptureScriptStartsNothing) {
  drive.RemoveDriveC();
  RunSplitRouting(kTelecomNetworkType, deps);
  EXPECT_TRUE(shell.calls.empty());
}

TEST_F(SplitRouting, UnwritableRouteScriptIsNotStarted) {
  shell.onExecute = [this](const fakes::FakeShell::Call&) {
    drive.Write("netInfo.tmp", ReadFixture("netinfo_dialup.txt"));
    drive.Remove("cmd.cmd");
    drive.MakeFolder("cmd.cmd");
  };
  RunSplitRouting(kTelecomNetworkType, deps);
  EXPECT_EQ(shell.calls.size(), 1u);
}

TEST_F(SplitRouting, FailedShellResultsChangeNothingElse) {
  // The route script's start is not looked at: a refusal is as silent as success.
  shell.result = 2;
  CaptureLeaves(ReadFixture("netinfo_dialup.txt"));
  RunSplitRouting(kTelecomNetworkType, deps);
  EXPECT_EQ(shell.calls.size(), 2u);
  EXPECT_EQ(drive.Read("cmd.cmd"), ReadFixture("route_telecom.cmd"));
}

}  // namespace
}  // namespace kvz::client
