#pragma once
#include <cstdint>
#include <string>

#include "platform/types.h"

namespace kvz::platform {

// The application object: its window, its message loop and its boxes.
class IApplication {
 public:
  virtual ~IApplication() = default;
  // The application window: owner of shell calls and of the taskbar button.
  virtual WindowHandle ApplicationWindow() = 0;
  virtual WindowHandle MainWindow() = 0;
  // GetModuleFileNameA of the program's own module (256-byte buffer).
  virtual std::string ModuleFileName() = 0;
  // Modal box with an OK button, titled with the application title.
  virtual void ShowMessage(const std::string& text) = 0;
  // The default error box that the event boundary shows for an exception.
  virtual void ShowError(const std::string& text) = 0;
  // Asks the application to end; it ends when control returns to its loop.
  virtual void Terminate() = 0;
  // IsIconic on the application window.
  virtual bool IsMinimized() = 0;
  // Minimise the application and hide its taskbar button.
  virtual void MinimizeToTray() = 0;
  // Restore the application, show its window and bring it to the foreground.
  virtual void RestoreFromTray() = 0;
  // PostMessageA; safe from any thread.
  virtual bool PostMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                           std::intptr_t lParam) = 0;
  // Runs the window messages waiting at this moment (one pass).
  virtual void ProcessMessages() = 0;
  // High bit of GetKeyState(VK_MENU).
  virtual bool IsAltKeyDown() = 0;
};

}  // namespace kvz::platform
