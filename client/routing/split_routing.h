#pragma once
#include <cstdint>
#include <string>

#include "platform/file_system.h"
#include "platform/shell.h"
#include "platform/types.h"

namespace kvz::client {

// How long the client waits for the capture script to end. ipconfig needs
// well under a second on most machines, but several on a busy one with many
// adapters; past this bound the connection simply gets no routes.
inline constexpr std::uint32_t kCaptureTimeoutMs = 8000;

struct SplitRoutingDeps {
  platform::IFileSystem& files;
  platform::IShell& shell;
  platform::WindowHandle owner;  // the application window
  std::uint32_t captureTimeoutMs = kCaptureTimeoutMs;
};

// The routing work after a dialled connection comes up: capture ipconfig's
// gateway and address lines, and when both values look like addresses, write
// and start the route script for `networkType`. Runs on the main thread and
// blocks it until the capture has ended (the window keeps painting). Every
// failure ends the work silently; the connection is never touched.
void RunSplitRouting(const std::string& networkType, const SplitRoutingDeps& deps);

}  // namespace kvz::client
