// KVZClient.exe: the client's core on the real Windows API.
#include <windows.h>
#include <ole2.h>
#include <ras.h>

#include <atomic>
#include <cstring>
#include <exception>

#include "client/shell/client_entry.h"
#include "client/shell/client_services.h"
#include "platform/win32/ras_old_layout.h"
#include "platform/win32/win32_application.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_form_renderer.h"
#include "platform/win32/win32_profile_file.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_text.h"

namespace {

using namespace kvz::platform;

// The dial-up service through rasapi32 with the old record layouts, kept
// here until the shared implementation of the dial-up area takes its place.
class ClientRasService : public IRasService {
 public:
  std::uint32_t Dial(const RasDialRequest& request, RasDialNotifyFn notify,
                     RasHandle* connection) override {
    win32::RasDialParamsOld params;
    std::memset(&params, 0, sizeof params);
    params.dwSize = win32::kRasDialParamsOldSize;
    CopyField(params.szEntryName, request.entryName);
    CopyField(params.szPhoneNumber, request.phoneNumber);
    CopyField(params.szCallbackNumber, request.callbackNumber);
    CopyField(params.szUserName, request.userName);
    CopyField(params.szPassword, request.password);
    CopyField(params.szDomain, request.domain);
    notify_.store(notify);
    HRASCONN handle = nullptr;
    DWORD result = RasDialA(nullptr, nullptr, reinterpret_cast<LPRASDIALPARAMSA>(&params), 0,
                            reinterpret_cast<LPVOID>(&Notify), &handle);
    SecureZeroMemory(params.szPassword, sizeof params.szPassword);
    if (connection) *connection = reinterpret_cast<RasHandle>(handle);
    return result;
  }

  std::uint32_t HangUp(RasHandle connection) override {
    return RasHangUpA(reinterpret_cast<HRASCONN>(connection));
  }

  std::uint32_t EnumConnections(RasConnectionRecord* records, std::size_t capacity,
                                std::uint32_t* count) override {
    win32::RasConnOld buffer[win32::kOldConnectionCapacity];
    std::memset(buffer, 0, sizeof buffer);
    buffer[0].dwSize = win32::kRasConnOldSize;
    DWORD bytes = sizeof buffer;
    DWORD found = count ? *count : 0;
    DWORD result = RasEnumConnectionsA(reinterpret_cast<LPRASCONNA>(buffer), &bytes, &found);
    if (count) *count = found;
    std::size_t usable = found < capacity ? found : capacity;
    if (usable > win32::kOldConnectionCapacity) usable = win32::kOldConnectionCapacity;
    for (std::size_t i = 0; result == 0 && i < usable; ++i) {
      records[i].handle = reinterpret_cast<RasHandle>(buffer[i].hrasconn);
      records[i].entryName.assign(buffer[i].szEntryName,
                                  strnlen(buffer[i].szEntryName, sizeof buffer[i].szEntryName));
    }
    return result;
  }

  std::string ErrorString(std::uint32_t code) override {
    char text[256] = {};
    if (RasGetErrorStringA(code, text, sizeof text) != 0) return std::string();
    return std::string(text, strnlen(text, sizeof text));
  }

 private:
  template <std::size_t N>
  static void CopyField(CHAR (&field)[N], const std::string& value) {
    std::size_t length = value.size() < N - 1 ? value.size() : N - 1;
    std::memcpy(field, value.data(), length);
    field[length] = '\0';
  }

  // RasDialFunc: runs on a thread of the dial-up service.
  static VOID WINAPI Notify(UINT message, RASCONNSTATE state, DWORD error) {
    if (RasDialNotifyFn notify = notify_.load()) {
      notify(message, static_cast<int>(state), static_cast<std::uint32_t>(error));
    }
  }

  static std::atomic<RasDialNotifyFn> notify_;
};

std::atomic<RasDialNotifyFn> ClientRasService::notify_{nullptr};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // The embedded browser panes are OLE controls.
  HRESULT ole = OleInitialize(nullptr);
  int exitCode = 0;
  try {
    win32::Win32Application app;
    ClientRasService ras;
    win32::Win32Shell shell;
    win32::Win32ProfileFile profile;
    win32::Win32FileSystem files;
    win32::Win32Clock clock;
    kvz::client::ClientServices services{app, ras, shell, profile, files, clock};
    win32::Win32FormRenderer renderer(app);
    exitCode = kvz::client::RunClient(services, renderer);
  } catch (const std::exception& e) {
    MessageBoxW(nullptr, win32::WideFromGbk(e.what()).c_str(), L"KVZClient",
                MB_OK | MB_ICONERROR);
    exitCode = 1;
  }
  if (SUCCEEDED(ole)) OleUninitialize();
  return exitCode;
}
