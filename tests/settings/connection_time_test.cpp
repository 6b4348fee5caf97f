#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "client/log/app_log.h"
#include "tests/settings/settings_form_fixture.h"

namespace kvz::client {
namespace {

using ::testing::ElementsAre;
using testing::SettingsFormFixture;

class ConnectionTime : public ::testing::Test {
 protected:
  void StartSession(std::uint32_t startTicks) {
    f.form->FEntryName = "ZORuda";
    f.form->FRasConn = 0x5151;
    f.form->FStartTicks = static_cast<std::int32_t>(startTicks);
  }
  SettingsFormFixture f;
};

TEST_F(ConnectionTime, ReportsTheSessionAndAddsItToTheTotal) {
  const struct {
    std::uint32_t start, end;
    const char* stored;  // nullptr: no total yet
    const char* seconds;
    const char* total;
  } cases[] = {
      {1000, 1999, "100", "0", "100"},                // under one second
      {4294967000u, 704, nullptr, "1", "1"},          // the tick count wrapped
      {1000, 61000, "abc", "60", "60"},               // not a number counts as 0
      {1000, 3601000, "7200", "3600", "10800"},
      {1000, 11000, "2147483640", "10", "2147483647"},  // the total cannot grow further
  };
  for (const auto& c : cases) {
    SettingsFormFixture g;
    if (c.stored) g.WriteIni(std::string("[RAS_ENTRY_ZORuda]\r\nConnect Time=") + c.stored + "\r\n");
    g.form->FEntryName = "ZORuda";
    g.form->FStartTicks = static_cast<std::int32_t>(c.start);
    g.clock.ticks = c.end;
    g.form->AccountDuration();
    EXPECT_THAT(g.form->InfoListBox.lines(),
                ElementsAre(std::string("Connect Time: ") + c.seconds + " Sec with ZORuda",
                            std::string("Cumulated Connect Time: ") + c.total + " Sec"));
    EXPECT_EQ(g.form->FStartTicks, 0);
    EXPECT_EQ(g.Read("RAS_ENTRY_ZORuda", "Connect Time"), c.total);
  }
}

TEST_F(ConnectionTime, NoSessionToAccountTouchesNothing) {
  for (std::int32_t start : {0, -1}) {
    f.form->FStartTicks = start;
    f.clock.ticks = 50000;
    f.form->AccountDuration();
    EXPECT_TRUE(f.form->InfoListBox.lines().empty());
    EXPECT_EQ(f.form->FStartTicks, start);
    EXPECT_FALSE(f.IniExists());
  }
}

TEST_F(ConnectionTime, EntryNameIsEscapedWithoutTrimming) {
  f.form->FEntryName = " Z_R ";
  f.form->FStartTicks = 1000;
  f.clock.ticks = 3000;
  f.form->AccountDuration();
  EXPECT_EQ(f.form->InfoListBox.lines().front(), "Connect Time: 2 Sec with  Z_R ");
  EXPECT_EQ(f.Read("RAS_ENTRY__Z\\_R_", "Connect Time"), "2");
}

TEST_F(ConnectionTime, CancelOfADialledSessionCountsFromItsConnection) {
  f.WriteIni("[KVZ Client]\r\nactStr=电信网络\r\n");
  f.Run(&TRasDialerForm::FormShow);
  f.Type("alice", "secret", false);
  f.clock.ticks = 10000;
  f.Run(&TRasDialerForm::ConnectButtonClick);
  f.clock.ticks = 12000;  // the dial took two seconds
  f.ras.lastNotify(0, RASCS_Connected, 0);
  f.app.Drain([this](const fakes::FakeApplication::Message& m) {
    f.form->Invoke([&] { f.form->WndProc(m.message, m.wParam, m.lParam); });
  });
  f.clock.ticks = 12000 + 65000;
  f.Run(&TRasDialerForm::CancelButtonClick);
  const auto& lines = f.form->InfoListBox.lines();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[lines.size() - 2], "Connect Time: 65 Sec with ZORuda");
  EXPECT_EQ(lines.back(), "Cumulated Connect Time: 65 Sec");
  EXPECT_THAT(f.ras.hangUps, ElementsAre(f.ras.dialHandle));
}

TEST_F(ConnectionTime, FailedWriteStopsTheCancelAndTheNextCancelHangsUp) {
  f.WriteIni("[RAS_ENTRY_ZORuda]\r\nConnect Time=5\r\n");
  f.drive.MakeReadOnly(SettingsFormFixture::kIniFile);
  StartSession(1000);
  f.clock.ticks = 4000;
  f.Run(&TRasDialerForm::CancelButtonClick);
  EXPECT_THAT(f.app.errors, ElementsAre("Unable to write to C:\\Tovan\\KVZClient.ini"));
  EXPECT_TRUE(f.ras.hangUps.empty()) << "the cancel stopped before the hang-up";
  EXPECT_EQ(f.form->FStartTicks, 0);
  EXPECT_EQ(f.Read("RAS_ENTRY_ZORuda", "Connect Time"), "5");

  f.Run(&TRasDialerForm::CancelButtonClick);
  EXPECT_THAT(f.ras.hangUps, ElementsAre(0x5151u));
  EXPECT_EQ(f.app.errors.size(), 1u);
  EXPECT_THAT(f.form->InfoListBox.lines(),
              ElementsAre("断开连接", "Connect Time: 3 Sec with ZORuda", "断开连接"));
}

TEST_F(ConnectionTime, StatusLinesGoToTheEventLog) {
  ::mkdir(f.drive.File("c/tovan").c_str(), 0755);
  {
    ScopedAppLog log(f.files, f.clock, [] { return std::string("C:\\Tovan\\KVZClient.exe"); });
    StartSession(1000);
    f.clock.ticks = 2000;
    f.form->AccountDuration();
  }
  const std::string content = f.drive.Read("c/tovan/kvzclient.log").value_or("<missing>");
  EXPECT_EQ(content,
            "! 09/12/25 22:01:05     5 |Start|\r\n"
            "! 09/12/25 22:01:05    31 |Connect Time: 1 Sec with ZORuda|\r\n"
            "! 09/12/25 22:01:05    29 |Cumulated Connect Time: 1 Sec|\r\n"
            "! 09/12/25 22:01:05    48 |Stop. Elapsed time: 00:00:00. Messages logged: 4|\r\n");
  EXPECT_EQ(AppLog, nullptr);
}

}  // namespace
}  // namespace kvz::client
