// Test probe for the shell's wait: opens a file hidden through Win32Shell's
// ExecuteAndWait from a window's thread and reports on standard output what
// happened meanwhile, as "key=value" lines:
//   ended           the wait's answer (1 or 0)
//   marker          1 when the file named by the third argument existed right
//                   after the wait returned
//   paints          WM_PAINT messages the window got during the wait
//   commands        posted WM_APP messages handled during the wait (must be 0)
//   commandsAfter   posted WM_APP messages still queued after it
// Usage: shell_wait_probe FILE TIMEOUT_MS [MARKER_FILE]
#include <windows.h>

#include <cstdlib>
#include <string>

#include "platform/win32/win32_shell.h"
#include "sim/routing/console_io.h"

namespace {

bool gWaiting = false;
int gPaints = 0;
int gCommands = 0;
volatile LONG gStopInvalidating = 0;

LRESULT CALLBACK ProbeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    if (gWaiting) ++gPaints;
    PAINTSTRUCT ps;
    BeginPaint(window, &ps);
    EndPaint(window, &ps);
    return 0;
  }
  if (message == WM_APP) {
    if (gWaiting) ++gCommands;
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// Something else keeps dirtying the window, as covering windows would.
DWORD WINAPI KeepInvalidating(void* window) {
  while (InterlockedCompareExchange(&gStopInvalidating, 0, 0) == 0) {
    InvalidateRect(static_cast<HWND>(window), nullptr, FALSE);
    Sleep(100);
  }
  return 0;
}

bool FileExists(const std::string& path) {
  return !path.empty() && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    kvz::sim::ErrorLine("usage: shell_wait_probe FILE TIMEOUT_MS [MARKER_FILE]");
    return 2;
  }
  const std::string marker = argc > 3 ? argv[3] : "";

  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = ProbeWindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"KvzShellWaitProbe";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowW(L"KvzShellWaitProbe", L"probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                              0, 200, 100, nullptr, nullptr, windowClass.hInstance, nullptr);
  if (window == nullptr) {
    kvz::sim::ErrorLine("shell_wait_probe: no window");
    return 2;
  }
  UpdateWindow(window);
  PostMessageW(window, WM_APP, 0, 0);
  InvalidateRect(window, nullptr, FALSE);
  HANDLE invalidator = CreateThread(nullptr, 0, KeepInvalidating, window, 0, nullptr);

  gWaiting = true;
  const bool ended = kvz::platform::win32::Win32Shell().ExecuteAndWait(
      reinterpret_cast<kvz::platform::WindowHandle>(window), "Open", argv[1], std::nullopt, "",
      SW_HIDE, static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10)));
  const bool markerThere = FileExists(marker);
  gWaiting = false;

  InterlockedExchange(&gStopInvalidating, 1);
  WaitForSingleObject(invalidator, INFINITE);
  CloseHandle(invalidator);
  int commandsAfter = 0;
  MSG msg;
  while (PeekMessageW(&msg, window, WM_APP, WM_APP, PM_REMOVE)) ++commandsAfter;
  DestroyWindow(window);

  kvz::sim::WriteAll(
      GetStdHandle(STD_OUTPUT_HANDLE),
      "ended=" + std::to_string(ended) + "\r\nmarker=" + std::to_string(markerThere) +
          "\r\npaints=" + std::to_string(gPaints) + "\r\ncommands=" + std::to_string(gCommands) +
          "\r\ncommandsAfter=" + std::to_string(commandsAfter) + "\r\n");
  return 0;
}
