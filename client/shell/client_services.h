#pragma once
#include "platform/application.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/profile_file.h"
#include "platform/ras_service.h"
#include "platform/shell.h"

namespace kvz::client {

// Everything the client reaches outside itself, handed to its forms.
struct ClientServices {
  platform::IApplication& app;
  platform::IRasService& ras;
  platform::IShell& shell;
  platform::IProfileFile& profile;
  platform::IFileSystem& files;
  platform::IClock& clock;
};

}  // namespace kvz::client
