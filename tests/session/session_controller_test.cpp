#include <algorithm>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "client/session/ras_state_text.h"
#include "tests/session/session_test_support.h"

namespace kvz::client {
namespace {

using fakes::ClientFixture;
using session_support::ExpectLook;
using session_support::kConnected;
using session_support::kIdle;
using session_support::Lines;
using ::testing::ElementsAre;

constexpr const char* kAdvertisement = "http://www.tovan.example:8080/showG.html";

class SessionTest : public ::testing::Test {
 protected:
  void StartIdle() {
    f.form.FormShow();
    f.TypeCredentials("alice", "secret");
  }
  ClientFixture f;
};

TEST_F(SessionTest, GoodDialShowsProgressAndEndsConnectedInTheTray) {
  StartIdle();
  f.clock.ticks = 5000;
  f.form.ConnectButtonClick();

  ASSERT_EQ(f.ras.dials.size(), 1u);
  const auto& d = f.ras.dials[0];
  EXPECT_EQ(d.entryName, "ZORuda");
  EXPECT_EQ(d.phoneNumber, "");
  EXPECT_EQ(d.callbackNumber, "*");
  EXPECT_EQ(d.userName, "alice");
  EXPECT_EQ(d.password, "secret");
  EXPECT_EQ(d.domain, "*");
  EXPECT_EQ(f.form.FRasConn, f.ras.dialHandle);
  EXPECT_EQ(f.form.caption(), "Tovan网络加速登陆器 - Dialing");
  EXPECT_FALSE(f.form.ConnectButton.enabled());
  EXPECT_THAT(Lines(f.form), ElementsAre("正在接入到Tovan加速网络..."));

  for (int state : {0, 1, 5, 14, 0x2000}) f.Report(state);
  f.Pump();

  EXPECT_THAT(Lines(f.form), ElementsAre("正在接入到Tovan加速网络...", "正在打开端口...",
                                         "成功打开端口", "开始认证...", "已成功完成认证",
                                         "已经连接"));
  ExpectLook(f.form, kConnected);
  EXPECT_TRUE(f.app.minimized);
  EXPECT_EQ(f.form.mnuShowHide->caption(), "显示主窗口");
  EXPECT_EQ(f.ShellCallsTo(kAdvertisement), 1u);
  EXPECT_EQ(f.form.FStartTicks, 5000);
}

TEST_F(SessionTest, OnlyADialOfOurOwnRunsTheCaptureScript) {
  StartIdle();
  f.form.ConnectButtonClick();
  f.Report(0x2000);
  f.Pump();
  ASSERT_EQ(f.ShellCallsTo("c:\\cmd.cmd"), 1u);
  for (const auto& call : f.shell.calls) {
    if (call.file != "c:\\cmd.cmd") continue;
    EXPECT_TRUE(call.waited);
    EXPECT_EQ(call.show, 0);
    EXPECT_EQ(call.owner, f.app.applicationWindow);
  }

  ClientFixture adopted;
  adopted.ras.open = {{0x11, "ZORuda"}};
  adopted.form.FormShow();
  adopted.TypeCredentials("alice", "secret");
  adopted.form.ConnectButtonClick();
  EXPECT_EQ(adopted.ShellCallsTo("c:\\cmd.cmd"), 0u);
  EXPECT_FALSE(adopted.files.IsOrdinaryFile("c:\\cmd.cmd"));
}

TEST(SessionStartTick, ATickThatReadsAsASentinelStillCountsTheSession) {
  for (std::uint32_t tick : {0u, 0xFFFFFFFFu}) {
    ClientFixture f;
    f.form.FormShow();
    f.TypeCredentials("alice", "secret");
    f.clock.ticks = tick;
    f.form.ConnectButtonClick();
    f.Report(0x2000);
    f.Pump();
    EXPECT_EQ(f.form.FStartTicks, -2) << tick;
    f.clock.ticks = tick;  // cancelled in the same millisecond
    f.form.CancelButtonClick();
    auto lines = Lines(f.form);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Connect Time: 0 Sec with ZORuda"), lines.end())
        << tick;
  }
}

TEST_F(SessionTest, ReportsArePostedToTheMainWindow) {
  StartIdle();
  f.form.ConnectButtonClick();
  f.Report(3, 7);
  ASSERT_EQ(f.app.queue.size(), 1u);
  EXPECT_EQ(f.app.queue[0].window, f.app.mainWindow);
  EXPECT_EQ(f.app.queue[0].message, WM_RASDIALEVENT);
  EXPECT_EQ(f.app.queue[0].wParam, 3u);
  EXPECT_EQ(f.app.queue[0].lParam, 7);
}

TEST_F(SessionTest, CancelWhileConnectedHangsUpAndComesBackFromTheTray) {
  StartIdle();
  f.clock.ticks = 1000;
  f.form.ConnectButtonClick();
  f.Report(0x2000);
  f.Pump();
  f.clock.ticks += 5000;
  f.form.CancelButtonClick();

  // The cancel line, then the session's time and the entry's total.
  EXPECT_THAT(Lines(f.form), ::testing::IsSupersetOf({"断开连接", "Connect Time: 5 Sec with ZORuda",
                                                      "Cumulated Connect Time: 5 Sec"}));
  EXPECT_THAT(f.ras.hangUps, ElementsAre(f.ras.dialHandle));
  EXPECT_EQ(f.form.FRasConn, 0u);
  EXPECT_EQ(f.form.FStartTicks, 0);
  ExpectLook(f.form, kIdle);
  EXPECT_FALSE(f.app.minimized);
  EXPECT_EQ(f.form.mnuShowHide->caption(), "隐藏主窗口");
}

TEST_F(SessionTest, EmptyCredentialsAskForThemAndDialNothing) {
  const std::pair<const char*, const char*> cases[] = {{"", "pw"}, {"bob", ""}, {"", ""}};
  for (auto [user, password] : cases) {
    ClientFixture g;
    g.form.FormShow();
    g.TypeCredentials(user, password);
    g.form.ConnectButtonClick();
    EXPECT_THAT(g.app.messages, ElementsAre("您没有提供用户名和连接密码！")) << user << "/" << password;
    EXPECT_TRUE(g.ras.dials.empty());
    EXPECT_EQ(g.form.caption(), "Tovan网络加速登陆器 - Dialing");
    EXPECT_FALSE(g.form.ConnectButton.enabled());
    EXPECT_TRUE(Lines(g.form).empty());

    g.form.CancelButtonClick();
    EXPECT_THAT(Lines(g.form), ElementsAre("断开连接"));
    EXPECT_TRUE(g.ras.hangUps.empty());
    ExpectLook(g.form, kIdle);
  }
}

TEST_F(SessionTest, RefusedDialGivesOneLineOfCodeAndText) {
  StartIdle();
  f.ras.dialResult = 623;
  f.ras.errorTexts[623] = "找不到电话簿项目";
  f.form.ConnectButtonClick();
  EXPECT_THAT(Lines(f.form), ElementsAre("623 找不到电话簿项目"));
  EXPECT_TRUE(f.ras.hangUps.empty());
  ExpectLook(f.form, kIdle);
}

TEST_F(SessionTest, RefusedDialThatReturnedAHandleHangsItUp) {
  StartIdle();
  f.ras.dialResult = 633;
  f.ras.writeHandleOnFailure = true;
  f.form.ConnectButtonClick();
  EXPECT_THAT(Lines(f.form), ElementsAre("633 "));
  EXPECT_THAT(f.ras.hangUps, ElementsAre(f.ras.dialHandle));
  EXPECT_EQ(f.form.FRasConn, 0u);
}

TEST_F(SessionTest, FailureDuringTheDialShowsTheErrorAndRestoresTheWindow) {
  StartIdle();
  f.ras.errorTexts[691] = "用户名或密码无效";
  f.app.minimized = true;
  f.form.ConnectButtonClick();
  f.Report(0);
  f.Report(0x2001, 691);
  f.Pump();
  EXPECT_THAT(Lines(f.form), ElementsAre("正在接入到Tovan加速网络...", "正在打开端口...",
                                         "已经断开连接", "用户名或密码无效"));
  ExpectLook(f.form, kIdle);
  EXPECT_FALSE(f.app.minimized);
  EXPECT_EQ(f.ras.hangUps.size(), 1u);
}

TEST_F(SessionTest, AnErrorWithAnotherStateKeepsDialling) {
  StartIdle();
  f.form.ConnectButtonClick();
  f.Report(22, 651);
  f.Pump();
  EXPECT_THAT(Lines(f.form), ElementsAre("正在接入到Tovan加速网络...", ""));
  EXPECT_EQ(f.form.caption(), "Tovan网络加速登陆器 - Dialing");
  EXPECT_TRUE(f.ras.hangUps.empty());
}

TEST_F(SessionTest, ConnectWhileTheEntryIsOpenAdoptsItWithoutRoutesOrTray) {
  StartIdle();
  f.ras.open = {{0x77, "zoruda"}};  // dialled elsewhere; the lookup ignores case
  f.form.ConnectButtonClick();
  EXPECT_TRUE(f.ras.dials.empty());
  EXPECT_THAT(Lines(f.form), ElementsAre("该连接已经打开..."));
  EXPECT_EQ(f.form.FRasConn, 0x77u);
  EXPECT_EQ(f.form.FStartTicks, -1);
  ExpectLook(f.form, kConnected);
  EXPECT_FALSE(f.app.minimized);
  EXPECT_EQ(f.ShellCallsTo(kAdvertisement), 1u);
}

TEST_F(SessionTest, ConnectFromTheMenuWhileDiallingLooksTheEntryUpFirst) {
  StartIdle();
  f.form.ConnectButtonClick();
  EXPECT_TRUE(f.form.MnuConfigure->enabled());
  f.ras.open = {{f.ras.dialHandle, "ZORuda"}};
  f.form.MnuConfigureClick();
  EXPECT_EQ(f.ras.dials.size(), 1u);
  EXPECT_THAT(Lines(f.form), ElementsAre("该连接已经打开..."));
}

TEST_F(SessionTest, FailedEnumerationShowsTheErrorTextAlone) {
  f.ras.enumResult = 603;
  f.ras.errorTexts[603] = "缓冲区太小";
  f.form.FormShow();
  EXPECT_THAT(Lines(f.form), ElementsAre("缓冲区太小"));
  ExpectLook(f.form, kIdle);
}

struct StartupCase {
  const char* name;
  std::vector<platform::RasConnectionRecord> open;
  std::vector<std::string> lines;
  bool connectedLook;
  platform::RasHandle adoptedHandle;
};

TEST(SessionStartup, AdoptsOpenConnectionsOfTheEntry) {
  const StartupCase cases[] = {
      {"none open", {}, {}, false, 0},
      {"the entry", {{0x11, "ZORuda"}}, {"当前已经存在1个活动连接"}, true, 0x11},
      {"two, one the entry", {{0x21, "Office"}, {0x22, "ZORuda"}}, {"当前已经存在2个活动连接"}, true, 0x22},
      {"only a name containing it", {{0x31, "ZORuda2"}}, {"当前已经存在1个活动连接"}, true, 0},
      {"other case fails the start-up test", {{0x41, "zoruda"}}, {"当前已经存在1个活动连接"}, false, 0},
      {"only others", {{0x51, "Office"}}, {"当前已经存在1个活动连接"}, false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ClientFixture f;
    f.ras.open = c.open;
    f.form.FormShow();
    EXPECT_EQ(Lines(f.form), c.lines);
    EXPECT_EQ(f.form.FRasConn, c.adoptedHandle);
    EXPECT_EQ(f.form.FStartTicks, 0);
    EXPECT_FALSE(f.app.minimized);
    EXPECT_TRUE(f.ras.dials.empty());
    if (c.connectedLook) {
      ExpectLook(f.form, kConnected);
      EXPECT_EQ(f.ShellCallsTo(kAdvertisement), 1u);
    } else if (c.open.empty()) {
      ExpectLook(f.form, kIdle);
    } else {
      // As designed: everything enabled, caption from the show handler.
      EXPECT_EQ(f.form.caption(), "Tovan网络加速登陆器");
      EXPECT_TRUE(f.form.N6->enabled());
      EXPECT_EQ(f.form.TrayIcon1.hint(), "未连接");
      EXPECT_FALSE(f.form.TrayIcon1.animate());
    }
  }
}

TEST(SessionStartup, AdoptedByContainmentOnlyHangsNothingUpOnCancel) {
  ClientFixture f;
  f.ras.open = {{0x31, "ZORuda2"}};
  f.form.FormShow();
  f.form.CancelButtonClick();
  EXPECT_TRUE(f.ras.hangUps.empty());
  ExpectLook(f.form, kIdle);
}

TEST(SessionStartup, SeveralMatchingRecordsAdoptSeveralTimes) {
  ClientFixture f;
  f.ras.open = {{0x61, "ZORuda"}, {0x62, "ZORuda"}};
  f.form.FormShow();
  EXPECT_EQ(f.form.FRasConn, 0x61u);
  EXPECT_EQ(f.ShellCallsTo(kAdvertisement), 2u);
}

}  // namespace
}  // namespace kvz::client
