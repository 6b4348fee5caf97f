#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/application.h"

namespace kvz::fakes {

// The application object with a message queue that the test drains by hand.
class FakeApplication : public platform::IApplication {
 public:
  struct Message {
    platform::WindowHandle window;
    unsigned message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
  };
  platform::WindowHandle applicationWindow = 0x1000;
  platform::WindowHandle mainWindow = 0x2000;
  std::string moduleFileName = "C:\\Program Files\\Tovan\\KVZClient.exe";
  std::vector<std::string> messages;  // texts of ShowMessage, in order
  std::vector<std::string> errors;    // texts of ShowError, in order
  std::deque<Message> queue;
  bool terminated = false;
  bool minimized = false;
  bool altDown = false;
  int minimizeCalls = 0, restoreCalls = 0, processMessagesCalls = 0;

  platform::WindowHandle ApplicationWindow() override { return applicationWindow; }
  platform::WindowHandle MainWindow() override { return mainWindow; }
  std::string ModuleFileName() override { return moduleFileName; }
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void ShowError(const std::string& text) override { errors.push_back(text); }
  void Terminate() override { terminated = true; }
  bool IsMinimized() override { return minimized; }
  void MinimizeToTray() override {
    ++minimizeCalls;
    minimized = true;
  }
  void RestoreFromTray() override {
    ++restoreCalls;
    minimized = false;
  }
  bool PostMessage(platform::WindowHandle window, unsigned message, std::uintptr_t wParam,
                   std::intptr_t lParam) override {
    queue.push_back({window, message, wParam, lParam});
    return true;
  }
  void ProcessMessages() override { ++processMessagesCalls; }
  bool IsAltKeyDown() override { return altDown; }

  // Hands every queued message to `handler` in order, including ones that
  // handling posts meanwhile.
  void Drain(const std::function<void(const Message&)>& handler) {
    while (!queue.empty()) {
      Message m = queue.front();
      queue.pop_front();
      handler(m);
    }
  }
};

}  // namespace kvz::fakes
