#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "client/shell/auto_form.h"
#include "tests/fakes/client_fixture.h"

namespace kvz::client {
namespace {

using fakes::ClientFixture;

TEST(AutoForm, ProgramFolderAndSettingsPath) {
  const struct {
    const char* exe;
    const char* folder;
    const char* ini;
  } cases[] = {
      {"C:\\Program Files\\X\\KVZClient.exe", "C:\\Program Files\\X",
       "C:\\Program Files\\X\\KVZClient.ini"},
      {"C:\\KVZClient.exe", "C:\\", "C:\\\\KVZClient.ini"},
      {"D:\\a\\b.c\\client.exe", "D:\\a\\b.c", "D:\\a\\b.c\\KVZClient.ini"},
  };
  for (const auto& c : cases) {
    ClientFixture f;
    f.app.moduleFileName = c.exe;
    TRasDialerForm form(f.services);
    EXPECT_EQ(form.FAppDir, c.folder) << c.exe;
    EXPECT_EQ(form.FIniFileName, c.ini) << c.exe;
  }
}

TEST(MainWindow, DesignedLookBeforeTheFirstShow) {
  ClientFixture f;
  auto& w = f.form;
  EXPECT_EQ(w.caption(), "=");
  EXPECT_EQ(w.outer.width, 268);
  EXPECT_EQ(w.outer.height, 407);
  EXPECT_FALSE(w.maximizeButton);
  EXPECT_EQ(w.EntryNameComboBox.caption(), "ZORuda");
  EXPECT_FALSE(w.EntryNameComboBox.visible());
  EXPECT_EQ(w.PasswordEdit.caption(), "Password");
  EXPECT_TRUE(w.PasswordEdit.password);
  EXPECT_EQ(w.UserNameComboBox.maxLength, 15);
  EXPECT_EQ(w.PasswordEdit.maxLength, 20);
  EXPECT_TRUE(w.ConnectButton.isDefault);
  EXPECT_EQ(w.TrayIcon1.hint(), "未连接");
  EXPECT_EQ(w.TrayIcon1.iconIndex(), 2);
  EXPECT_EQ(w.N3->onClick, nullptr);  // "帮助" does nothing
  EXPECT_EQ(w.mnuShowHide->caption(), "隐藏主窗口");

  // Tab order of the login page, first to last.
  std::vector<std::string> order(8);
  for (const auto& c : w.controls) {
    if (c->tabOrder >= 0) order[static_cast<std::size_t>(c->tabOrder)] = c->name();
  }
  EXPECT_THAT(order, ::testing::ElementsAre("SavePWCheckBox", "InfoListBox", "ConnectButton",
                                            "UserNameComboBox", "CancelButton", "PasswordEdit",
                                            "EntryNameComboBox", "Button1"));
}

TEST(MainWindow, FirstShowWithoutSettingsAndConnections) {
  ClientFixture f;
  f.form.FormShow();
  EXPECT_EQ(f.form.caption(), "Tovan网络加速登陆器");
  EXPECT_EQ(f.form.UserNameComboBox.caption(), "");
  EXPECT_EQ(f.form.PasswordEdit.caption(), "");
  EXPECT_FALSE(f.form.SavePWCheckBox.checked());
  EXPECT_EQ(f.form.WebBrowser1.url(), "http://news.tovan.example/user_news.htm");
  EXPECT_EQ(f.form.TrayIcon1.iconIndex(), 2);
}

TEST(MainWindow, WebPageIsChosenAtEachShowing) {
  ClientFixture f;
  f.form.FormShow();
  f.form.TabSheet2Show();
  EXPECT_EQ(f.form.WebBrowser2.url(), "C:\\Program Files\\Tovan\\html\\noLogin.html");
  f.form.FRasConn = 0x99;
  f.form.TabSheet2Show();
  EXPECT_EQ(f.form.WebBrowser2.url(),
            "http://media.tovan.example/WebMedia/oemui/vod/left_new.asp");
  EXPECT_EQ(f.form.WebBrowser2.navigations(), 2);
}

TEST(MainWindow, AccountPageFollowsTheNetworkType) {
  const struct {
    const char* networkType;
    const char* url;
  } cases[] = {
      {"", "http://www.tovan.example:8080/reg.php"},
      {"电信网络", "http://www.tovan.example:8080/reg.php"},
      {"网通网络", "http://cnc.tovan.example:8080/reg.php"},
  };
  for (const auto& c : cases) {
    ClientFixture f;
    f.form.FNetworkType = c.networkType;
    f.form.Button1Click();
    ASSERT_EQ(f.shell.calls.size(), 1u);
    const auto& call = f.shell.calls[0];
    EXPECT_EQ(call.file, c.url);
    EXPECT_EQ(call.verb, "Open");
    EXPECT_EQ(call.owner, f.app.applicationWindow);
    EXPECT_FALSE(call.parameters.has_value());
    EXPECT_EQ(call.directory, "");
    EXPECT_EQ(call.show, 1);
  }
}

TEST(MainWindow, TrayMinimiseAndRestore) {
  ClientFixture f;
  f.form.FormShow();
  f.form.MinimizeCommand();  // the title-bar button
  EXPECT_TRUE(f.app.minimized);
  EXPECT_EQ(f.form.mnuShowHide->caption(), "显示主窗口");
  f.form.mnuShowHideClick();
  EXPECT_FALSE(f.app.minimized);
  EXPECT_EQ(f.form.mnuShowHide->caption(), "隐藏主窗口");
  f.form.mnuShowHideClick();
  EXPECT_TRUE(f.app.minimized);
  f.form.TrayIcon1.Restore();  // double click on the icon
  EXPECT_FALSE(f.app.minimized);
  EXPECT_EQ(f.form.mnuShowHide->caption(), "隐藏主窗口");
}

TEST(MainWindow, TrayAnimationCyclesOnlyWhileOn) {
  ClientFixture f;
  auto& tray = f.form.TrayIcon1;
  tray.AnimationTick();
  EXPECT_EQ(tray.iconIndex(), 2);
  tray.SetAnimate(true);
  std::vector<int> seen;
  for (int i = 0; i < 4; ++i) {
    tray.AnimationTick();
    seen.push_back(tray.iconIndex());
  }
  EXPECT_THAT(seen, ::testing::ElementsAre(0, 1, 2, 0));
  tray.SetAnimate(false);
  tray.AnimationTick();
  EXPECT_EQ(tray.iconIndex(), 0);
}

TEST(MainWindow, ExitItemsAndAbout) {
  ClientFixture f;
  f.form.mnuExitClick();
  EXPECT_TRUE(f.app.terminated);
  f.form.N5Click();
  EXPECT_TRUE(f.form.closed());
  f.form.MnuAboutClick();
  EXPECT_EQ(f.about.ProgNameLabel.caption(), "DORudava V1.0");
}

TEST(AboutBox, AltDoubleClickHidesTheTextsUntilTheNextShowing) {
  ClientFixture f;
  auto& a = f.about;
  auto labels = {&a.ProgNameLabel, &a.Label1, &a.Label2, &a.Label3, &a.Label4};
  a.ShowModal();
  a.Image1DblClick();  // without Alt: nothing changes
  for (auto* l : labels) EXPECT_TRUE(l->visible()) << l->name();
  f.app.altDown = true;
  a.Image1.onDoubleClick();
  for (auto* l : labels) EXPECT_FALSE(l->visible()) << l->name();
  EXPECT_TRUE(a.Image1.visible());
  EXPECT_TRUE(a.Button1.visible());
  a.Button1Click();
  EXPECT_TRUE(a.closed());
  a.ShowModal();
  for (auto* l : labels) EXPECT_TRUE(l->visible()) << l->name();
  EXPECT_EQ(a.ProgNameLabel.caption(), "DORudava V1.0");
  EXPECT_EQ(a.Button1.caption(), "&Ok");
  EXPECT_TRUE(a.Button1.isDefault);
}

TEST(EventBoundary, AnEscapingErrorIsShownAndTheProgramRunsOn) {
  ClientFixture f;
  f.form.Invoke([] { throw std::runtime_error("Unable to write to C:\\x.ini"); });
  EXPECT_THAT(f.app.errors, ::testing::ElementsAre("Unable to write to C:\\x.ini"));
}

}  // namespace
}  // namespace kvz::client
