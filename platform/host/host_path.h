#pragma once
#include <string>

namespace kvz::platform {

// Maps a Windows path onto the Linux file system: backslashes become slashes
// and a drive "X:" becomes the folder driveRoot/x.
std::string HostPath(const std::string& windowsPath, const std::string& driveRoot);

}  // namespace kvz::platform
