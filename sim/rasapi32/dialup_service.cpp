#include "dialup_service.h"

#include <algorithm>

#include "journal.h"

namespace kvz::sim {

namespace {

constexpr UINT kWmRasDialEvent = 0xCCCD;
constexpr int kStateConnected = 0x2000;
constexpr int kStateDisconnected = 0x2001;
constexpr DWORD kErrorInvalidHandle = 6;
constexpr DWORD kErrorPortAlreadyOpen = 602;
constexpr DWORD kErrorCannotFindPhonebookEntry = 623;
constexpr DWORD kErrorDialAlreadyInProgress = 756;
constexpr DWORD kNotifierWindow = 0xFFFFFFFF;

typedef VOID(WINAPI* RasDialFunc)(UINT, int, DWORD);
typedef VOID(WINAPI* RasDialFunc1)(HANDLE, UINT, int, DWORD, DWORD);
typedef DWORD(WINAPI* RasDialFunc2)(ULONG_PTR, DWORD, HANDLE, UINT, int, DWORD, DWORD);

std::wstring ScenarioPath() {
  wchar_t buffer[MAX_PATH * 2];
  DWORD n = GetEnvironmentVariableW(L"KVZ_SIM_SCENARIO", buffer, MAX_PATH * 2);
  if (n > 0 && n < MAX_PATH * 2) return std::wstring(buffer, n);
  // Default: the scenario file beside this DLL.
  HMODULE self = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                         GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ScenarioPath), &self);
  n = GetModuleFileNameW(self, buffer, MAX_PATH * 2);
  std::wstring path(buffer, n < MAX_PATH * 2 ? n : 0);
  size_t slash = path.find_last_of(L"\\/");
  path = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
  return path + L"rasapi32-scenario.ini";
}

bool ReadFileBytes(const std::wstring& path, std::string* bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes->append(chunk, got);
  CloseHandle(file);
  return true;
}

std::string Utf8(const std::wstring& wide) {
  int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

class Lock {
 public:
  explicit Lock(CRITICAL_SECTION* section) : section_(section) { EnterCriticalSection(section_); }
  ~Lock() { LeaveCriticalSection(section_); }
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;

 private:
  CRITICAL_SECTION* section_;
};

}  // namespace

struct DialUpService::DialRun {
  DialUpService* service;
  std::uintptr_t handle;
  std::vector<ProgressStep> steps;
  Notifier notifier;
  HANDLE cancel;
  bool cancelled = false;
};

DialUpService& DialUpService::Instance() {
  static DialUpService* service = new DialUpService();  // lives until the process ends
  return *service;
}

DialUpService::DialUpService() {
  InitializeCriticalSection(&lock_);
  std::wstring path = ScenarioPath();
  std::string content;
  bool found = ReadFileBytes(path, &content);
  scenario_ = ParseScenario(content);
  connections_.reserve(scenario_.open.size());
  for (const OpenEntry& entry : scenario_.open) {
    connections_.push_back(OpenConnection{entry.entryName, entry.handle});
    liveHandles_.insert(entry.handle);
  }
  JournalLine("scenario path=" + Quoted(Utf8(path).c_str()) + (found ? "" : " missing") +
              " open=" + std::to_string(scenario_.open.size()) +
              " dials=" + std::to_string(scenario_.dials.size()) +
              " errors=" + std::to_string(scenario_.errorTexts.size()));
  for (const std::string& problem : scenario_.problems) {
    JournalLine("scenario unreadable line " + problem);
  }
}

DWORD DialUpService::Dial(const std::string& entryName, const Notifier& notifier,
                          std::uintptr_t* handle) {
  const DialOutcome* outcome = scenario_.FindDial(entryName);
  if (outcome == nullptr) return kErrorCannotFindPhonebookEntry;
  DialRun* run = nullptr;
  {
    Lock lock(&lock_);
    for (const OpenConnection& open : connections_) {
      if (open.entryName != outcome->entryName) continue;
      bool dialling = std::any_of(runs_.begin(), runs_.end(),
                                  [&](const DialRun* r) { return r->handle == open.handle; });
      return dialling ? kErrorDialAlreadyInProgress : kErrorPortAlreadyOpen;
    }
    if (outcome->result != 0 && !outcome->handleOnError) return outcome->result;
    std::uintptr_t assigned = outcome->handle ? *outcome->handle : (nextHandle_ += 0x100);
    *handle = assigned;
    liveHandles_.insert(assigned);
    if (outcome->result != 0) return outcome->result;
    connections_.push_back(OpenConnection{outcome->entryName, assigned});
    run = new DialRun{this, assigned, outcome->steps, notifier, nullptr};
    if (notifier.target != nullptr) {
      run->cancel = CreateEventW(nullptr, TRUE, FALSE, nullptr);
      runs_.push_back(run);
      HANDLE thread = CreateThread(nullptr, 0, &DialUpService::RunDial, run, 0, nullptr);
      if (thread != nullptr) {
        CloseHandle(thread);
        return 0;
      }
      runs_.pop_back();
      CloseHandle(run->cancel);
      delete run;
      return ERROR_NOT_ENOUGH_MEMORY;
    }
  }
  // Without a notifier RasDialA returns only when the dial has ended.
  DWORD result = 0;
  for (const ProgressStep& step : run->steps) {
    Sleep(step.delayMs);
    Lock lock(&lock_);
    Report(*run, step);
    if (step.state == kStateDisconnected) {
      std::erase_if(connections_, [&](const OpenConnection& c) { return c.handle == run->handle; });
      result = step.error;
      break;
    }
    if (step.state == kStateConnected) break;
  }
  delete run;
  return result;
}

DWORD WINAPI DialUpService::RunDial(void* parameter) {
  DialRun* run = static_cast<DialRun*>(parameter);
  run->service->PlaySteps(run);
  run->service->ForgetRun(run);
  return 0;
}

bool DialUpService::PlaySteps(DialRun* run) {
  for (const ProgressStep& step : run->steps) {
    if (WaitForSingleObject(run->cancel, step.delayMs) == WAIT_OBJECT_0) return false;
    // The report is made under the lock, so none arrives after RasHangUpA returned.
    Lock lock(&lock_);
    if (run->cancelled) return false;
    if (step.state == kStateDisconnected) {
      std::erase_if(connections_, [&](const OpenConnection& c) { return c.handle == run->handle; });
    }
    Report(*run, step);
    if (step.state == kStateConnected || step.state == kStateDisconnected) break;
  }
  return true;
}

void DialUpService::Report(const DialRun& run, const ProgressStep& step) {
  JournalLine("notify handle=" + Hex(run.handle) + " type=" + std::to_string(run.notifier.type) +
              " state=" + std::to_string(step.state) + " error=" + std::to_string(step.error));
  void* target = run.notifier.target;
  HANDLE handle = reinterpret_cast<HANDLE>(run.handle);
  switch (run.notifier.type) {
    case 0:
      reinterpret_cast<RasDialFunc>(target)(kWmRasDialEvent, step.state, step.error);
      break;
    case 1:
      reinterpret_cast<RasDialFunc1>(target)(handle, kWmRasDialEvent, step.state, step.error, 0);
      break;
    case 2:
      reinterpret_cast<RasDialFunc2>(target)(run.notifier.callbackId, 0, handle, kWmRasDialEvent,
                                             step.state, step.error, 0);
      break;
    case kNotifierWindow:
      PostMessageW(static_cast<HWND>(target), kWmRasDialEvent, static_cast<WPARAM>(step.state),
                   static_cast<LPARAM>(step.error));
      break;
    default:
      break;
  }
}

void DialUpService::ForgetRun(DialRun* run) {
  {
    Lock lock(&lock_);
    std::erase(runs_, run);
  }
  CloseHandle(run->cancel);
  delete run;
}

DWORD DialUpService::HangUp(std::uintptr_t handle) {
  Lock lock(&lock_);
  if (liveHandles_.erase(handle) == 0) return kErrorInvalidHandle;
  std::erase_if(connections_, [&](const OpenConnection& c) { return c.handle == handle; });
  for (DialRun* run : runs_) {
    if (run->handle != handle) continue;
    run->cancelled = true;
    SetEvent(run->cancel);
  }
  std::erase_if(runs_, [&](const DialRun* r) { return r->handle == handle; });
  return 0;
}

std::vector<OpenConnection> DialUpService::Connections() {
  Lock lock(&lock_);
  return connections_;
}

const std::string* DialUpService::ErrorText(DWORD code) {
  auto it = scenario_.errorTexts.find(code);
  return it == scenario_.errorTexts.end() ? nullptr : &it->second;
}

}  // namespace kvz::sim
