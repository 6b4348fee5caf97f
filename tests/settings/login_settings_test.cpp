#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "client/settings/password_scramble.h"
#include "tests/settings/settings_form_fixture.h"

namespace kvz::client {
namespace {

using ::testing::ElementsAre;
using testing::SettingsFormFixture;

const char kNotSetMessage[] = "您还没有设置您的本地网络，先请设置！";

class LoginSettings : public ::testing::Test {
 protected:
  void Connect(const std::string& user, const std::string& password, bool save) {
    f.Run(&TRasDialerForm::FormShow);
    f.Type(user, password, save);
    f.Run(&TRasDialerForm::ConnectButtonClick);
  }
  std::string Scrambled(const std::string& password) { return ScramblePassword(password, f.clock); }
  void ExpectSetupStarted() {
    ASSERT_EQ(f.shell.calls.size(), 1u);
    const auto& call = f.shell.calls[0];
    EXPECT_EQ(call.owner, f.app.applicationWindow);
    EXPECT_EQ(call.verb, "Open");
    EXPECT_EQ(call.file, "C:\\Tovan\\setForm.exe");
    EXPECT_EQ(call.parameters, std::nullopt);
    EXPECT_EQ(call.directory, "");
    EXPECT_EQ(call.show, platform::kSwShowNormal);
    EXPECT_FALSE(call.waited);
  }
  SettingsFormFixture f;
};

TEST_F(LoginSettings, ConnectWithoutANetworkTypeStartsTheSetupAndEnds) {
  const char* files[] = {nullptr, "[Last]\r\nUserName=old\r\n", "[KVZ Client]\r\nactStr=\r\n",
                         "[KVZ Client]\r\nactStr=其他\r\n", "[KVZ Client]\r\nactStr=电信\r\n"};
  for (const char* content : files) {
    SettingsFormFixture g;
    if (content) g.WriteIni(content);
    g.Run(&TRasDialerForm::FormShow);
    g.Type("bob", "pw", true);
    g.Run(&TRasDialerForm::ConnectButtonClick);
    const std::string what = content ? content : "(no file)";
    EXPECT_THAT(g.app.messages, ElementsAre(kNotSetMessage)) << what;
    ASSERT_EQ(g.shell.calls.size(), 1u) << what;
    EXPECT_EQ(g.shell.calls[0].file, "C:\\Tovan\\setForm.exe");
    EXPECT_TRUE(g.app.terminated) << what;
    EXPECT_EQ(g.form->FNetworkUnset, 1);
    EXPECT_TRUE(g.ras.dials.empty()) << what;
    EXPECT_TRUE(g.app.errors.empty());
    if (content) {
      EXPECT_EQ(g.Ini(), content) << "nothing is written";
    } else {
      EXPECT_FALSE(g.IniExists()) << "nothing is written";
    }
  }
}

TEST_F(LoginSettings, SetupMenuEndsTheClientOnlyWithoutANetworkType) {
  const struct {
    const char* content;
    bool ends;
  } cases[] = {
      {nullptr, true},
      {"[KVZ Client]\r\nactStr=\r\n", true},
      {"[KVZ Client]\r\nactStr=内部网络\r\n", false},
      {"[KVZ Client]\r\nactStr=anything\r\n", false},
  };
  for (const auto& c : cases) {
    SettingsFormFixture g;
    if (c.content) g.WriteIni(c.content);
    g.Run(&TRasDialerForm::N2Click);
    ASSERT_EQ(g.shell.calls.size(), 1u);
    EXPECT_EQ(g.shell.calls[0].file, "C:\\Tovan\\setForm.exe");
    EXPECT_EQ(g.app.terminated, c.ends) << (c.content ? c.content : "(no file)");
    EXPECT_TRUE(g.app.messages.empty());
  }
  f.WriteIni("[KVZ Client]\r\nactStr=\r\n");
  f.Run(&TRasDialerForm::N2Click);
  ExpectSetupStarted();
}

TEST_F(LoginSettings, SavingOnWritesTheLoginAndThePerUserPassword) {
  f.WriteIni("[KVZ Client]\r\nactStr=网通网络\r\n");
  Connect("alice", "secret", true);
  EXPECT_EQ(f.form->FNetworkType, "网通网络");
  EXPECT_EQ(f.form->FNetworkUnset, 0);
  EXPECT_EQ(f.Ini(), "[KVZ Client]\r\nactStr=网通网络\r\n"
                     "[Last]\r\nEntryName=ZORuda\r\nUserName=alice\r\nPassword=" +
                         Scrambled("secret") +
                         "\r\nSavePW=1\r\n"
                         "[RAS_ENTRY_ZORuda]\r\nUSER_alice=" +
                         Scrambled("secret") + "\r\n");
  ASSERT_EQ(f.ras.dials.size(), 1u);
  EXPECT_EQ(f.ras.dials[0].userName, "alice");
  EXPECT_EQ(f.ras.dials[0].password, "secret");

  TRasDialerForm& next = f.Restart();
  f.Run(&TRasDialerForm::FormShow);
  EXPECT_EQ(next.UserNameComboBox.caption(), "alice");
  EXPECT_EQ(next.PasswordEdit.caption(), "secret");
  EXPECT_TRUE(next.SavePWCheckBox.checked());
  EXPECT_EQ(next.EntryNameComboBox.caption(), "ZORuda");
}

TEST_F(LoginSettings, UserNameKeepsItsBlanksAndThePerUserKeyDropsThem) {
  f.WriteIni("[KVZ Client]\r\nactStr=电信网络\r\n");
  const struct {
    const char* user;
    const char* key;
  } cases[] = {{"  bob  ", "USER_bob"}, {" a b ", "USER_a_b"}, {"x_y@z", "USER_x\\_y\\Az"},
               {"\"q\"", "USER_\"q\""}, {"张三", "USER_张三"}};
  for (const auto& c : cases) {
    Connect(c.user, "pw1", true);
    EXPECT_EQ(f.Read("Last", "UserName"), c.user);
    EXPECT_EQ(f.Read("RAS_ENTRY_ZORuda", c.key), Scrambled("pw1")) << c.key;
    TRasDialerForm& next = f.Restart();
    f.Run(&TRasDialerForm::FormShow);
    EXPECT_EQ(next.UserNameComboBox.caption(), c.user);
  }
}

TEST_F(LoginSettings, EmptyOrBlankUserNameWritesNoPerUserKey) {
  for (const char* user : {"", "   "}) {
    SettingsFormFixture g;
    g.WriteIni("[KVZ Client]\r\nactStr=电信网络\r\n");
    g.Run(&TRasDialerForm::FormShow);
    g.Type(user, "pw", true);
    g.Run(&TRasDialerForm::ConnectButtonClick);
    EXPECT_EQ(g.Read("Last", "UserName"), user);
    EXPECT_EQ(g.Read("Last", "Password"), ScramblePassword("pw", g.clock));
    EXPECT_EQ(g.Read("Last", "SavePW"), "1");
    EXPECT_EQ(g.Ini().find("RAS_ENTRY_"), std::string::npos) << g.Ini();
  }
}

TEST_F(LoginSettings, SavingOffEmptiesThePasswordAndKeepsOlderPerUserKeys) {
  f.WriteIni("[KVZ Client]\r\nactStr=内部网络\r\n");
  Connect("alice", "secret", true);
  f.Restart();
  Connect("alice", "secret", false);
  EXPECT_EQ(f.Ini(), "[KVZ Client]\r\nactStr=内部网络\r\n"
                     "[Last]\r\nEntryName=ZORuda\r\nUserName=alice\r\nPassword=\r\nSavePW=0\r\n"
                     "[RAS_ENTRY_ZORuda]\r\nUSER_alice=" +
                         Scrambled("secret") + "\r\n");
  TRasDialerForm& next = f.Restart();
  f.Run(&TRasDialerForm::FormShow);
  EXPECT_EQ(next.PasswordEdit.caption(), "");
  EXPECT_FALSE(next.SavePWCheckBox.checked());
}

TEST_F(LoginSettings, OnlyTheExactTextOneTicksSavePassword) {
  const struct {
    const char* stored;
    bool ticked;
  } cases[] = {{"1", true}, {"yes", false}, {"01", false}, {"0", false}, {"", false}, {"2", false}};
  for (const auto& c : cases) {
    f.WriteIni(std::string("[Last]\r\nSavePW=") + c.stored + "\r\n");
    TRasDialerForm& w = f.Restart();
    f.Run(&TRasDialerForm::FormShow);
    EXPECT_EQ(w.SavePWCheckBox.checked(), c.ticked) << c.stored;
  }
}

TEST_F(LoginSettings, FirstStartWithoutAFileGivesEmptyFields) {
  f.Run(&TRasDialerForm::FormShow);
  EXPECT_EQ(f.form->UserNameComboBox.caption(), "");
  EXPECT_EQ(f.form->PasswordEdit.caption(), "");
  EXPECT_FALSE(f.form->SavePWCheckBox.checked());
  EXPECT_TRUE(f.app.errors.empty());
  EXPECT_FALSE(f.IniExists());
}

TEST_F(LoginSettings, ReadOnlySettingsFileShowsTheErrorAndDialsNothing) {
  const std::string before = "[KVZ Client]\r\nactStr=电信网络\r\n";
  f.WriteIni(before);
  f.drive.MakeReadOnly(SettingsFormFixture::kIniFile);
  Connect("alice", "secret", true);
  EXPECT_THAT(f.app.errors, ElementsAre("Unable to write to C:\\Tovan\\KVZClient.ini"));
  EXPECT_TRUE(f.ras.dials.empty());
  EXPECT_FALSE(f.app.terminated);
  EXPECT_EQ(f.Ini(), before);
}

TEST_F(LoginSettings, StoredPasswordThatDoesNotDecodeLeavesTheWindowUsable) {
  f.WriteIni("[KVZ Client]\r\nactStr=电信网络\r\n[Last]\r\nUserName=alice\r\n"
             "Password=59454abcde\r\nSavePW=1\r\n");
  f.Run(&TRasDialerForm::FormShow);
  EXPECT_THAT(f.app.errors, ElementsAre("'abcde' is not a valid integer value"));
  EXPECT_EQ(f.form->UserNameComboBox.caption(), "alice");
  EXPECT_EQ(f.form->PasswordEdit.caption(), "Password");
  EXPECT_FALSE(f.form->SavePWCheckBox.checked()) << "the show handler stopped before it";
  EXPECT_TRUE(f.ras.journal.empty()) << "no look for open connections";
  EXPECT_EQ(f.form->WebBrowser1.navigations(), 0);

  f.form->PasswordEdit.SetCaptionFromUser("secret");
  f.Run(&TRasDialerForm::ConnectButtonClick);
  ASSERT_EQ(f.ras.dials.size(), 1u) << "the window still works";
  EXPECT_EQ(f.ras.dials[0].password, "secret");
}

TEST_F(LoginSettings, OverlongStoredPasswordIsAConversionErrorToo) {
  f.WriteIni("[Last]\r\nPassword=" + std::string(95, '5') + "\r\n");
  f.Run(&TRasDialerForm::FormShow);
  ASSERT_EQ(f.app.errors.size(), 1u);
  EXPECT_EQ(f.form->PasswordEdit.caption(), "Password");
}

}  // namespace
}  // namespace kvz::client
