#pragma once
#include <windows.h>

#include "setform/network_setup.h"

namespace kvz::platform::win32 {

// Shows the setup dialog modally; IDOK once a choice was saved, else IDCANCEL.
INT_PTR RunNetworkSetupDialog(HINSTANCE instance, setform::NetworkSetup& setup);

}  // namespace kvz::platform::win32
