// setForm.exe run for real (under Wine): the dialog is found and driven from
// this process with ordinary window messages, then the file is checked.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/setform_resource.h"
#include "platform/win32/win32_text.h"

namespace {

using kvz::platform::win32::GbkFromWide;

// The program under test, built beside this suite; the build passes its
// path as the cross build sees it, which Wine reaches through drive Z:.
std::string SetFormSource() {
  char fromEnv[MAX_PATH] = {};
  if (GetEnvironmentVariableA("KVZ_SETFORM_EXE", fromEnv, MAX_PATH) > 0) return fromEnv;
  std::string path = KVZ_SETFORM_EXE;
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

std::string WindowText(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return GbkFromWide(text);
}

struct FindData {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM lParam) {
  auto* data = reinterpret_cast<FindData*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  char cls[64] = {};
  GetClassNameA(window, cls, sizeof cls);
  if (pid == data->pid && IsWindowVisible(window) && std::string(cls) == "#32770") {
    data->found = window;
    return FALSE;
  }
  return TRUE;
}

class SetFormRun : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    static unsigned counter = 0;
    folder_ = std::string(temp) + "kvz-setform-" + std::to_string(GetCurrentProcessId()) + "-" +
              std::to_string(++counter);
    ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
    exe_ = folder_ + "\\setForm.exe";
    ASSERT_TRUE(CopyFileA(SetFormSource().c_str(), exe_.c_str(), FALSE)) << SetFormSource();
  }
  void TearDown() override {
    if (process_.hProcess) {
      TerminateProcess(process_.hProcess, 9);
      WaitForSingleObject(process_.hProcess, 5000);
      CloseHandle(process_.hProcess);
      CloseHandle(process_.hThread);
    }
    DeleteFileA(Ini().c_str());
    DeleteFileA(exe_.c_str());
    RemoveDirectoryA(folder_.c_str());
  }

  std::string Ini() const { return folder_ + "\\KVZClient.ini"; }
  void WriteIni(const std::string& bytes) {
    HANDLE h = CreateFileA(Ini().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
  }
  std::string ReadIni() {
    HANDLE h = CreateFileA(Ini().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "<missing>";
    std::string content;
    char buffer[4096];
    DWORD n = 0;
    while (ReadFile(h, buffer, sizeof buffer, &n, nullptr) && n > 0) content.append(buffer, n);
    CloseHandle(h);
    return content;
  }

  // Starts the program and waits (ten seconds at most) for its dialog.
  HWND Start() {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::string command = "\"" + exe_ + "\"";
    if (!CreateProcessA(exe_.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder_.c_str(), &si, &process_)) {
      return nullptr;
    }
    WaitForInputIdle(process_.hProcess, 10000);
    for (DWORD start = GetTickCount(); GetTickCount() - start < 10000;) {
      FindData data{process_.dwProcessId, nullptr};
      EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&data));
      if (data.found) return data.found;
      if (WaitForSingleObject(process_.hProcess, 20) == WAIT_OBJECT_0) return nullptr;
    }
    return nullptr;
  }
  // Waits for the program to end and gives its exit code (-1 when it did not).
  int WaitExit() {
    if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<int>(code);
  }
  static void Click(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
  static bool Checked(HWND dialog, int id) {
    return SendMessageW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }

  std::string folder_, exe_;
  PROCESS_INFORMATION process_{};
};

TEST_F(SetFormRun, FirstChoiceWritesTheNetworkType) {
  HWND dialog = Start();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(WindowText(dialog), "设置本地网络");
  EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_SETUP_CURRENT)), "当前设置：未设置");
  EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_SETUP_CHOICE0)), "电信网络");
  EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_SETUP_CHOICE1)), "网通网络");
  EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_SETUP_CHOICE2)), "内部网络");
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDOK))) << "nothing chosen yet";
  Click(dialog, IDC_SETUP_CHOICE1);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
  Click(dialog, IDOK);
  EXPECT_EQ(WaitExit(), 0);
  EXPECT_EQ(ReadIni(), "[KVZ Client]\r\nactStr=网通网络\r\n");
}

TEST_F(SetFormRun, ShowsTheCurrentChoiceAndKeepsTheRestOfTheFile) {
  WriteIni("[Last]\r\nUserName=bob\r\n[KVZ Client]\r\nactStr=内部网络\r\n");
  HWND dialog = Start();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_SETUP_CURRENT)), "当前设置：内部网络");
  EXPECT_TRUE(Checked(dialog, IDC_SETUP_CHOICE2));
  Click(dialog, IDC_SETUP_CHOICE0);
  Click(dialog, IDOK);
  EXPECT_EQ(WaitExit(), 0);
  EXPECT_EQ(ReadIni(), "[Last]\r\nUserName=bob\r\n[KVZ Client]\r\nactStr=电信网络\r\n");
}

TEST_F(SetFormRun, CancelWritesNothing) {
  const std::string before = "[KVZ Client]\r\nactStr=电信网络\r\n";
  WriteIni(before);
  HWND dialog = Start();
  ASSERT_NE(dialog, nullptr);
  Click(dialog, IDC_SETUP_CHOICE1);
  Click(dialog, IDCANCEL);
  EXPECT_EQ(WaitExit(), 1);
  EXPECT_EQ(ReadIni(), before);
}

TEST_F(SetFormRun, CancelWithoutAFileCreatesNone) {
  HWND dialog = Start();
  ASSERT_NE(dialog, nullptr);
  Click(dialog, IDCANCEL);
  EXPECT_EQ(WaitExit(), 1);
  EXPECT_EQ(ReadIni(), "<missing>");
}

}  // namespace
