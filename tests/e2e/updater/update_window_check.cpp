// Checks the updater's real window under Wine: its design, texts kept current
// in UTF-16, the label sized to its text, and a close request in the middle of
// a transfer, which aborts the transfer (through the URL moniker binding)
// instead of closing. Argument: the loopback server's base URL, whose
// "update/soft.html" arrives slowly. Exit code 0 when every check held.
#include <windows.h>
// After <windows.h>:
#include <objbase.h>
#undef DeleteFile

#include <cstdio>
#include <string>

#include "platform/win32/update_form1_window.h"
#include "platform/win32/urlmon_downloader.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_profile_file.h"
#include "platform/win32/win32_text.h"
#include "updater/form1.h"

namespace {

using namespace kvz::platform;
using kvz::platform::win32::WideFromGbk;

int failures = 0;

void Check(bool condition, const char* what) {
  if (!condition) {
    std::printf("check failed: %s\n", what);
    ++failures;
  }
}

std::wstring TextOf(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

HWND LabelOf(HWND window) { return FindWindowExW(window, nullptr, L"STATIC", nullptr); }

SIZE ExtentOf(HWND label) {
  HDC context = GetDC(label);
  HGDIOBJ previous =
      SelectObject(context, reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
  const std::wstring text = TextOf(label);
  SIZE extent{};
  GetTextExtentPoint32W(context, text.c_str(), static_cast<int>(text.size()), &extent);
  SelectObject(context, previous);
  ReleaseDC(label, context);
  return extent;
}

void CheckWindowDesign(HINSTANCE instance) {
  win32::UpdateForm1Window window(instance);
  HWND hwnd = reinterpret_cast<HWND>(window.Handle());
  Check(IsWindow(hwnd), "the window is created");
  wchar_t className[64] = {};
  GetClassNameW(hwnd, className, 64);
  Check(std::wstring(className) == L"KVZUpdateForm1", "window class");
  Check(!IsWindowVisible(hwnd), "the window is not shown");
  const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
  Check(!(style & WS_MAXIMIZEBOX) && !(style & WS_THICKFRAME) && (style & WS_CAPTION),
        "fixed single border without a maximise button");
  Check(TextOf(hwnd) == L"update", "designed caption");
  HWND label = LabelOf(hwnd);
  Check(label != nullptr, "the label exists");
  Check(TextOf(label) == WideFromGbk("更新进度：0%"), "designed label text");

  window.SetCaption("自动更新");
  Check(TextOf(hwnd) == L"\u81EA\u52A8\u66F4\u65B0", "caption reaches the window as UTF-16");
  window.SetProgressText("下载进度：28%");
  Check(TextOf(label) == L"\u4E0B\u8F7D\u8FDB\u5EA6\uFF1A28%", "label text as UTF-16");
  RECT small{};
  GetClientRect(label, &small);
  const SIZE extent = ExtentOf(label);
  Check(small.right == extent.cx && small.bottom == extent.cy, "the label fits its text");
  window.SetProgressText("下载进度：12345678%");
  RECT wide{};
  GetClientRect(label, &wide);
  Check(wide.right > small.right, "the label grows with its text");

  window.Destroy();
  Check(!IsWindow(hwnd), "Destroy destroys the window");
}

// Records the client's start; checks that the window is still there then.
class RecordingShell : public IShell {
 public:
  int calls = 0;
  bool ownerAlive = false;
  std::intptr_t Execute(WindowHandle owner, const std::string&, const std::string&,
                        const std::optional<std::string>&, const std::string&, int) override {
    ++calls;
    ownerAlive = IsWindow(reinterpret_cast<HWND>(owner)) != FALSE;
    return 42;
  }
  bool ExecuteAndWait(WindowHandle, const std::string&, const std::string&,
                      const std::optional<std::string>&, const std::string&, int,
                      std::uint32_t) override {
    return false;
  }
};

// Passes transfers on, and posts a close request to the window at the first
// progress report of every transfer.
class ClosingDownloader : public IUrlDownloader, private IUrlDownloadSink {
 public:
  ClosingDownloader(IUrlDownloader& inner, HWND window) : inner_(inner), window_(window) {}
  bool transferSucceeded = true;
  int reports = 0;

  UrlTransferResult Transfer(const std::string& url, const std::string& file,
                             IUrlDownloadSink& sink) override {
    outer_ = &sink;
    posted_ = false;
    UrlTransferResult result = inner_.Transfer(url, file, *this);
    transferSucceeded = result.facilitySucceeded;
    return result;
  }
  void Abort() override { inner_.Abort(); }

 private:
  void OnStart() override { outer_->OnStart(); }
  void OnProgress(std::uint32_t p, std::uint32_t m, std::uint32_t s,
                  const std::string& t) override {
    ++reports;
    if (!posted_) PostMessageW(window_, WM_CLOSE, 0, 0);
    posted_ = true;
    outer_->OnProgress(p, m, s, t);
  }
  void OnResponse(int status, std::optional<std::uint64_t> length) override {
    outer_->OnResponse(status, length);
  }
  void OnStop() override { outer_->OnStop(); }

  IUrlDownloader& inner_;
  HWND window_;
  IUrlDownloadSink* outer_ = nullptr;
  bool posted_ = false;
};

void CheckCloseDuringTransfer(HINSTANCE instance, const std::string& baseUrl) {
  CreateDirectoryA("C:\\kvzcheck", nullptr);
  CreateDirectoryA("C:\\kvzcheck\\update", nullptr);
  win32::Win32FileSystem files;
  win32::Win32ProfileFile profile;
  files.WriteWholeFile("C:\\kvzcheck\\config.ini",
                       "[soft]\r\nversion=1.0\r\nupdateURL=" + baseUrl + "\r\n");
  RecordingShell shell;
  win32::UrlmonDownloader urlmon;
  win32::UpdateForm1Window window(instance);
  HWND hwnd = reinterpret_cast<HWND>(window.Handle());
  ClosingDownloader downloader(urlmon, hwnd);
  kvz::updater::Form1 form({files, profile, shell, downloader, window, "C:\\kvzcheck\\update.exe"});
  window.Attach(&form);
  form.Form_Load();
  window.Attach(nullptr);

  Check(downloader.reports >= 1, "the manifest transfer reported progress");
  Check(!downloader.transferSucceeded, "the close request aborted the manifest transfer");
  Check(form.Stage() == 1, "the run stopped at the manifest");
  Check(shell.calls == 1, "the client is started once");
  Check(shell.ownerAlive, "the window was still there when the client was started");
  Check(!IsWindow(hwnd), "the window is closed at the end of the run");
  Check(profile.GetString("soft", "cacheName", "<none>", 1000, "C:\\kvzcheck\\config.ini") !=
            "<none>",
        "cacheName was written");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::printf("usage: update_window_check BASE-URL\n");
    return 2;
  }
  const HRESULT com = CoInitialize(nullptr);
  HINSTANCE instance = GetModuleHandleW(nullptr);
  CheckWindowDesign(instance);
  CheckCloseDuringTransfer(instance, argv[1]);
  if (SUCCEEDED(com)) CoUninitialize();
  std::printf("%d failed checks\n", failures);
  return failures == 0 ? 0 : 1;
}
