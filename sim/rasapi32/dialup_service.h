#pragma once
// The state of the simulated dial-up service in one process: open
// connections, dials in progress and the handles the caller still holds.
#include <windows.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "scenario.h"

namespace kvz::sim {

// How RasDialA was asked to report progress (its notifier type and pointer).
struct Notifier {
  DWORD type = 0;
  void* target = nullptr;  // nullptr: the dial runs synchronously
  ULONG_PTR callbackId = 0;
};

struct OpenConnection {
  std::string entryName;
  std::uintptr_t handle = 0;
};

class DialUpService {
 public:
  static DialUpService& Instance();

  // Starts a dial of the entry and writes its handle (also on an immediate
  // failure when the scenario says so). Returns 0 or a RAS error code.
  DWORD Dial(const std::string& entryName, const Notifier& notifier, std::uintptr_t* handle);
  DWORD HangUp(std::uintptr_t handle);
  // Connections being dialled or connected, in the order they appeared.
  std::vector<OpenConnection> Connections();
  // The scenario's text of the code, or nullptr.
  const std::string* ErrorText(DWORD code);

 private:
  struct DialRun;

  DialUpService();
  static DWORD WINAPI RunDial(void* run);
  // Plays the steps of one dial; false when it was hung up on the way.
  bool PlaySteps(DialRun* run);
  void Report(const DialRun& run, const ProgressStep& step);
  void ForgetRun(DialRun* run);

  CRITICAL_SECTION lock_;
  Scenario scenario_;
  std::vector<OpenConnection> connections_;
  std::vector<DialRun*> runs_;           // dials in progress (owned by their threads)
  std::set<std::uintptr_t> liveHandles_;  // handles the caller has not hung up
  std::uintptr_t nextHandle_ = 0x10000;
};

}  // namespace kvz::sim
