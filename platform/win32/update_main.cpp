#include <windows.h>
// After <windows.h>:
#include <objbase.h>
// <windows.h> maps DeleteFile to DeleteFileA; the file interface means its own name.
#undef DeleteFile

#include <string>

#include "platform/win32/update_form1_window.h"
#include "platform/win32/urlmon_downloader.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_profile_file.h"
#include "platform/win32/win32_shell.h"
#include "updater/form1.h"

namespace {

// GetModuleFileNameA of the program, however long its path.
std::string ProgramFile() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace

// Starting the program loads Form1, whose load handling runs the whole update
// and closes the window, which starts the client; the program then ends.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  using namespace kvz::platform::win32;
  // URL monikers and the shell both want COM on this thread.
  const HRESULT com = CoInitialize(nullptr);
  {
    Win32FileSystem files;
    Win32ProfileFile profile;
    Win32Shell shell;
    UrlmonDownloader downloader;
    UpdateForm1Window window(instance);
    kvz::updater::Form1 form({files, profile, shell, downloader, window, ProgramFile()});
    window.Attach(&form);
    form.Form_Load();
    window.Attach(nullptr);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return 0;
}
