// KVZClient.exe: the client's core on the real Windows API.
#include <windows.h>
#include <ole2.h>

#include <exception>

#include "client/shell/client_entry.h"
#include "client/shell/client_services.h"
#include "platform/win32/win32_application.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_form_renderer.h"
#include "platform/win32/win32_profile_file.h"
#include "platform/win32/win32_ras_service.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_text.h"

using namespace kvz::platform;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // The embedded browser panes are OLE controls.
  HRESULT ole = OleInitialize(nullptr);
  int exitCode = 0;
  try {
    win32::Win32Application app;
    win32::Win32RasService ras;
    win32::Win32Shell shell;
    win32::Win32ProfileFile profile;
    win32::Win32FileSystem files;
    win32::Win32Clock clock;
    kvz::client::ClientServices services{app, ras, shell, profile, files, clock};
    win32::Win32FormRenderer renderer(app);
    exitCode = kvz::client::RunClient(services, renderer);
  } catch (const std::exception& e) {
    MessageBoxW(nullptr, win32::WideFromGbk(e.what()).c_str(), L"KVZClient",
                MB_OK | MB_ICONERROR);
    exitCode = 1;
  }
  if (SUCCEEDED(ole)) OleUninitialize();
  return exitCode;
}
