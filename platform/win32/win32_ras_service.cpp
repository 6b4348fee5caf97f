#include "platform/win32/win32_ras_service.h"

#include <atomic>
#include <vector>

#include "platform/win32/ras_old_layout.h"

// The rasapi32 functions, declared on the old records (see ras_old_layout.h);
// <ras.h> would bring the newer, larger ones.
extern "C" {
typedef VOID(WINAPI* KvzRasDialFunc)(UINT message, int state, DWORD error);
DECLSPEC_IMPORT DWORD WINAPI RasDialA(LPVOID extensions, LPCSTR phoneBook,
                                      kvz::platform::win32::RasDialParamsOld* params,
                                      DWORD notifierType, LPVOID notifier,
                                      kvz::platform::win32::HRASCONN_OLD* connection);
DECLSPEC_IMPORT DWORD WINAPI RasHangUpA(kvz::platform::win32::HRASCONN_OLD connection);
DECLSPEC_IMPORT DWORD WINAPI RasEnumConnectionsA(kvz::platform::win32::RasConnOld* records,
                                                 LPDWORD bufferSize, LPDWORD count);
DECLSPEC_IMPORT DWORD WINAPI RasGetErrorStringA(UINT code, LPSTR buffer, DWORD bufferSize);
}

namespace kvz::platform::win32 {

namespace {

constexpr DWORD kNotifierRasDialFunc = 0;
constexpr DWORD kErrorStringSize = 256;

// RAS calls a WINAPI function; the core hands over a plain one. One dial runs
// at a time in this program, so one slot is enough; it is written before
// RasDialA starts the notification thread.
std::atomic<RasDialNotifyFn> g_notify{nullptr};

VOID WINAPI NotifyTrampoline(UINT message, int state, DWORD error) {
  RasDialNotifyFn notify = g_notify.load();
  if (notify != nullptr) notify(message, state, error);
}

// Copies at most size - 1 bytes and always terminates; longer values are cut.
template <size_t N>
void CopyField(CHAR (&field)[N], const std::string& value) {
  size_t n = value.size() < N - 1 ? value.size() : N - 1;
  value.copy(field, n);
  field[n] = '\0';
}

std::string FieldText(const CHAR* field, size_t size) {
  size_t n = 0;
  while (n < size && field[n] != '\0') ++n;
  return std::string(field, n);
}

}  // namespace

std::uint32_t Win32RasService::Dial(const RasDialRequest& request, RasDialNotifyFn notify,
                                    RasHandle* connection) {
  RasDialParamsOld params{};
  params.dwSize = kRasDialParamsOldSize;
  CopyField(params.szEntryName, request.entryName);
  CopyField(params.szPhoneNumber, request.phoneNumber);
  CopyField(params.szCallbackNumber, request.callbackNumber);
  CopyField(params.szUserName, request.userName);
  CopyField(params.szPassword, request.password);
  CopyField(params.szDomain, request.domain);

  g_notify.store(notify);
  // RAS reads the handle variable (it must be nil for a new dial) and writes it.
  HRASCONN_OLD handle = reinterpret_cast<HRASCONN_OLD>(*connection);
  DWORD result = RasDialA(nullptr, nullptr, &params, kNotifierRasDialFunc,
                          reinterpret_cast<LPVOID>(&NotifyTrampoline), &handle);
  *connection = reinterpret_cast<RasHandle>(handle);
  SecureZeroMemory(params.szPassword, sizeof params.szPassword);
  return result;
}

std::uint32_t Win32RasService::HangUp(RasHandle connection) {
  return RasHangUpA(reinterpret_cast<HRASCONN_OLD>(connection));
}

std::uint32_t Win32RasService::EnumConnections(RasConnectionRecord* records,
                                               std::size_t capacity, std::uint32_t* count) {
  std::vector<RasConnOld> buffer(capacity > 0 ? capacity : 1);
  buffer[0].dwSize = kRasConnOldSize;
  DWORD bufferSize = static_cast<DWORD>(capacity * sizeof(RasConnOld));
  DWORD reported = *count;
  DWORD result = RasEnumConnectionsA(buffer.data(), &bufferSize, &reported);
  *count = reported;
  if (result != 0) return result;
  size_t n = reported < capacity ? reported : capacity;
  for (size_t i = 0; i < n; ++i) {
    records[i].handle = reinterpret_cast<RasHandle>(buffer[i].hrasconn);
    records[i].entryName = FieldText(buffer[i].szEntryName, sizeof buffer[i].szEntryName);
  }
  return 0;
}

std::string Win32RasService::ErrorString(std::uint32_t code) {
  CHAR text[kErrorStringSize] = {};
  if (RasGetErrorStringA(code, text, kErrorStringSize) != 0) return {};
  return FieldText(text, sizeof text);
}

}  // namespace kvz::platform::win32
