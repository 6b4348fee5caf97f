// The client's settings and log code on the real Windows functions (under
// Wine): profile writes byte for byte, restore at the next start, and the
// event log through shared append-mode handles.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "client/log/log_msg.h"
#include "client/settings/password_scramble.h"
#include "client/shell/rasdialer_form.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_profile_file.h"
#include "tests/fakes/fake_application.h"
#include "tests/fakes/fake_ras.h"
#include "tests/fakes/fake_shell.h"

namespace kvz::client {
namespace {

std::string ReadFileBytes(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return "<missing>";
  std::string content;
  char buffer[65536];
  DWORD n = 0;
  while (ReadFile(h, buffer, sizeof buffer, &n, nullptr) && n > 0) content.append(buffer, n);
  CloseHandle(h);
  return content;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  if (h == INVALID_HANDLE_VALUE) return;
  WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(h);
}

// A client folder of its own under the temporary folder (lower case, since
// the log lowercases its name).
class ClientFolder {
 public:
  ClientFolder() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    static unsigned counter = 0;
    path_ = std::string(temp) + "kvz-client-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++counter);
    for (char& c : path_) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~ClientFolder() {
    for (const char* name : {"kvzclient.ini", "kvzclient.log", "kvzclient.old"}) {
      std::string file = File(name);
      SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(file.c_str());
    }
    RemoveDirectoryA(path_.c_str());
  }
  std::string File(const std::string& name) const { return path_ + "\\" + name; }

 private:
  std::string path_;
};

struct RealClient {
  ClientFolder folder;
  fakes::FakeApplication app;
  fakes::FakeRas ras;
  fakes::FakeShell shell;
  platform::win32::Win32ProfileFile profile;
  platform::win32::Win32FileSystem files;
  platform::win32::Win32Clock clock;
  ClientServices services{app, ras, shell, profile, files, clock};
  std::unique_ptr<TRasDialerForm> form;

  RealClient() {
    app.moduleFileName = folder.File("KVZClient.exe");
    form = std::make_unique<TRasDialerForm>(services);
  }
  void Run(void (TRasDialerForm::*handler)()) {
    form->Invoke([this, handler] { (form.get()->*handler)(); });
  }
};

TEST(SettingsOnWindows, ConnectWritesTheLayoutAndTheNextStartRestoresIt) {
  RealClient c;
  const std::string ini = c.folder.File("KVZClient.ini");
  WriteFileBytes(ini, "[KVZ Client]\r\nactStr=电信网络\r\n");
  c.Run(&TRasDialerForm::FormShow);
  c.form->UserNameComboBox.SetCaptionFromUser("  bob  ");
  c.form->PasswordEdit.SetCaptionFromUser("密码abc");
  c.form->SavePWCheckBox.SetCheckedFromUser(true);
  c.Run(&TRasDialerForm::ConnectButtonClick);
  ASSERT_TRUE(c.app.errors.empty()) << c.app.errors.front();
  ASSERT_EQ(c.ras.dials.size(), 1u);

  const std::string scrambled = ScramblePassword("密码abc", c.clock);
  EXPECT_EQ(ReadFileBytes(ini),
            "[KVZ Client]\r\nactStr=电信网络\r\n"
            "[Last]\r\nEntryName=ZORuda\r\nUserName=\"  bob  \"\r\nPassword=" + scrambled +
                "\r\nSavePW=1\r\n[RAS_ENTRY_ZORuda]\r\nUSER_bob=" + scrambled + "\r\n");

  c.form = std::make_unique<TRasDialerForm>(c.services);
  c.Run(&TRasDialerForm::FormShow);
  EXPECT_EQ(c.form->UserNameComboBox.caption(), "  bob  ");
  EXPECT_EQ(c.form->PasswordEdit.caption(), "密码abc");
  EXPECT_TRUE(c.form->SavePWCheckBox.checked());
}

TEST(SettingsOnWindows, ReadOnlyFileGivesTheWriteError) {
  RealClient c;
  const std::string ini = c.folder.File("KVZClient.ini");
  WriteFileBytes(ini, "[KVZ Client]\r\nactStr=网通网络\r\n");
  SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY);
  // Wine run by root ignores the attribute; a handle sharing reading only
  // refuses writers there as well.
  HANDLE hold = CreateFileA(ini.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            0, nullptr);
  c.Run(&TRasDialerForm::FormShow);
  c.form->UserNameComboBox.SetCaptionFromUser("bob");
  c.form->PasswordEdit.SetCaptionFromUser("pw");
  c.Run(&TRasDialerForm::ConnectButtonClick);
  if (hold != INVALID_HANDLE_VALUE) CloseHandle(hold);
  ASSERT_EQ(c.app.errors.size(), 1u);
  EXPECT_EQ(c.app.errors[0], "Unable to write to " + ini);
  EXPECT_TRUE(c.ras.dials.empty());
}

TEST(LogOnWindows, StartLinesAndStopLineBesideTheProgram) {
  ClientFolder folder;
  fakes::FakeApplication app;
  platform::win32::Win32FileSystem files;
  platform::win32::Win32Clock clock;
  const std::string module = folder.File("KVZClient.EXE");
  {
    TLogMsg log("", files, clock, [&] { return module; });
    EXPECT_EQ(log.LogFileName(), folder.File("kvzclient.log"));
    log.LogText('!', "已经连接");
  }
  const std::string content = ReadFileBytes(folder.File("kvzclient.log"));
  const std::string date = clock.DateSeparator(), time = clock.TimeSeparator();
  ASSERT_EQ(date.size(), 1u);
  ASSERT_EQ(time.size(), 1u);
  // "! dd/mm/yy hh:nn:ss     5 |Start|" with the system's separators.
  ASSERT_GE(content.size(), 35u);
  EXPECT_EQ(content.substr(0, 2), "! ");
  EXPECT_EQ(content[4], date[0]);
  EXPECT_EQ(content[13], time[0]);
  EXPECT_EQ(content.substr(19, 16), "     5 |Start|\r\n");
  EXPECT_NE(content.find("     8 |已经连接|\r\n"), std::string::npos);
  EXPECT_NE(content.find("Messages logged: 3|\r\n"), std::string::npos);
}

struct WriterArgs {
  platform::IFileSystem* files;
  platform::IClock* clock;
  std::string path;
  char tag;
  int count;
};

DWORD WINAPI WriteLines(LPVOID param) {
  auto* args = static_cast<WriterArgs*>(param);
  TLogMsg log(args->path, *args->files, *args->clock, [] { return std::string(); });
  for (int i = 0; i < args->count; ++i) {
    log.LogText(args->tag, std::string(1, args->tag) + std::string(200, args->tag) + "正在认证");
  }
  return 0;
}

// Both with the file there and without it (then both logs create it at once).
TEST(LogOnWindows, TwoLogsOnOneFileLeaveOnlyWholeLines) {
  for (bool fileThere : {true, false}) {
    ClientFolder folder;
    platform::win32::Win32FileSystem files;
    platform::win32::Win32Clock clock;
    const int count = 3000;
    if (fileThere) WriteFileBytes(folder.File("kvzclient.log"), "");
    WriterArgs a{&files, &clock, folder.File("kvzclient.log"), 'A', count};
    WriterArgs b{&files, &clock, folder.File("kvzclient.log"), 'B', count};
    HANDLE threads[2] = {CreateThread(nullptr, 0, WriteLines, &a, 0, nullptr),
                         CreateThread(nullptr, 0, WriteLines, &b, 0, nullptr)};
    ASSERT_EQ(WaitForMultipleObjects(2, threads, TRUE, 60000), WAIT_OBJECT_0);
    CloseHandle(threads[0]);
    CloseHandle(threads[1]);

    const std::string content = ReadFileBytes(folder.File("kvzclient.log"));
    int lines[256] = {};
    std::size_t pos = 0;
    int broken = 0;
    while (pos < content.size()) {
      std::size_t end = content.find("|\r\n", pos);
      ASSERT_NE(end, std::string::npos);
      const std::string line = content.substr(pos, end + 1 - pos);
      const char tag = line[0];
      const bool ok =
          line.size() >= 28 && line[26] == '|' &&
          (tag == '!' || line.substr(27, line.size() - 28) ==
                             std::string(1, tag) + std::string(200, tag) + "正在认证");
      if (!ok) ++broken;
      ++lines[static_cast<unsigned char>(tag)];
      pos = end + 3;
    }
    EXPECT_EQ(broken, 0) << "file there before: " << fileThere;
    EXPECT_EQ(lines['A'], count) << fileThere;
    EXPECT_EQ(lines['B'], count) << fileThere;
    EXPECT_EQ(lines['!'], 4) << fileThere;
  }
}

}  // namespace
}  // namespace kvz::client
