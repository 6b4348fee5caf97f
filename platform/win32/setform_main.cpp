// setForm.exe: lets the user choose the local network type that the client
// reads from "actStr" of section "KVZ Client" in KVZClient.ini beside it.
#include <windows.h>
#include <commctrl.h>

#include "platform/win32/setform_dialog.h"
#include "platform/win32/win32_profile_file.h"
#include "setform/network_setup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  char module[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, module, MAX_PATH);
  kvz::platform::win32::Win32ProfileFile profile;
  kvz::setform::NetworkSetup setup(profile, kvz::setform::IniPathBeside(module));
  setup.Load();
  return kvz::platform::win32::RunNetworkSetupDialog(instance, setup) == IDOK ? 0 : 1;
}
