// The exported rasapi32 functions of the simulated dial-up service. Each call
// is checked like RAS checks it, journalled with its arguments, and answered
// from the scenario (see dialup_service.h).
#include <windows.h>

#include <cstring>

#include "dialup_service.h"
#include "journal.h"
#include "ras_records.h"

namespace {

using kvz::sim::DialUpService;
using kvz::sim::Hex;
using kvz::sim::JournalLine;
using kvz::sim::Pointer;
using kvz::sim::Quoted;

constexpr DWORD kErrorInvalidParameter = 87;
constexpr DWORD kErrorInsufficientBuffer = 122;
constexpr DWORD kErrorBufferTooSmall = 603;
constexpr DWORD kErrorInvalidSize = 632;

bool KnownNotifierType(DWORD type) { return type <= 2 || type == 0xFFFFFFFF; }

std::string Result(DWORD result) { return " -> " + std::to_string(result); }

}  // namespace

extern "C" {

DWORD WINAPI RasDialA(void* extensions, const char* phoneBook,
                      kvz::sim::RasDialParamsV400* params, DWORD notifierType, void* notifier,
                      HANDLE* connection) {
  DialUpService& service = DialUpService::Instance();  // loads the scenario first
  std::string call = "RasDialA extensions=" + std::string(Pointer(extensions)) +
                     " phonebook=" + Quoted(phoneBook, MAX_PATH);
  if (params == nullptr || connection == nullptr) {
    JournalLine(call + " params=" + Pointer(params) + " connection=" + Pointer(connection) +
                Result(kErrorInvalidParameter));
    return kErrorInvalidParameter;
  }
  const char* layout = kvz::sim::RasDialParamsLayout(params->dwSize);
  call += " dwSize=" + std::to_string(params->dwSize) + " layout=" + (layout ? layout : "unknown");
  if (layout == nullptr) {
    JournalLine(call + Result(kErrorInvalidSize));
    return kErrorInvalidSize;
  }
  call += " entry=" + Quoted(params->szEntryName, sizeof params->szEntryName) +
          " phone=" + Quoted(params->szPhoneNumber, sizeof params->szPhoneNumber) +
          " callback=" + Quoted(params->szCallbackNumber, sizeof params->szCallbackNumber) +
          " user=" + Quoted(params->szUserName, sizeof params->szUserName) +
          " password=" + Quoted(params->szPassword, sizeof params->szPassword) +
          " domain=" + Quoted(params->szDomain, sizeof params->szDomain) +
          " notifierType=" + std::to_string(notifierType) + " notifier=" + Pointer(notifier) +
          " inHandle=" + Hex(reinterpret_cast<std::uintptr_t>(*connection));
  if (notifier != nullptr && !KnownNotifierType(notifierType)) {
    JournalLine(call + Result(kErrorInvalidParameter));
    return kErrorInvalidParameter;
  }
  kvz::sim::Notifier how{notifierType, notifier, 0};
  if (params->dwSize >= sizeof(kvz::sim::RasDialParamsV401)) {
    how.callbackId = reinterpret_cast<kvz::sim::RasDialParamsV401*>(params)->dwCallbackId;
  }
  std::string entry(params->szEntryName, strnlen(params->szEntryName, sizeof params->szEntryName));
  std::uintptr_t handle = reinterpret_cast<std::uintptr_t>(*connection);
  // Journalled before the dial starts, so this line precedes every report.
  JournalLine(call);
  DWORD result = service.Dial(entry, how, &handle);
  *connection = reinterpret_cast<HANDLE>(handle);
  JournalLine("RasDialA" + Result(result) + " handle=" + Hex(handle));
  return result;
}

DWORD WINAPI RasHangUpA(HANDLE connection) {
  DWORD result = DialUpService::Instance().HangUp(reinterpret_cast<std::uintptr_t>(connection));
  JournalLine("RasHangUpA handle=" + Hex(reinterpret_cast<std::uintptr_t>(connection)) +
              Result(result));
  return result;
}

DWORD WINAPI RasEnumConnectionsA(kvz::sim::RasConnV400* records, DWORD* bufferSize,
                                 DWORD* count) {
  DialUpService& service = DialUpService::Instance();
  if (records == nullptr || bufferSize == nullptr || count == nullptr) {
    JournalLine("RasEnumConnectionsA records=" + Pointer(records) + " cb=" + Pointer(bufferSize) +
                " count=" + Pointer(count) + Result(kErrorInvalidParameter));
    return kErrorInvalidParameter;
  }
  DWORD size = records->dwSize;
  const char* layout = kvz::sim::RasConnLayout(size);
  std::string call = "RasEnumConnectionsA dwSize=" + std::to_string(size) +
                     " layout=" + (layout ? layout : "unknown") +
                     " cb=" + std::to_string(*bufferSize);
  if (layout == nullptr) {
    const char* hint = kvz::sim::RasConnSizeHint(size);
    JournalLine(call + Result(kErrorInvalidSize) + (hint ? std::string(" hint=") + hint : ""));
    return kErrorInvalidSize;
  }
  auto connections = service.Connections();
  DWORD needed = static_cast<DWORD>(connections.size()) * size;
  *count = static_cast<DWORD>(connections.size());
  if (*bufferSize < needed) {
    *bufferSize = needed;
    JournalLine(call + Result(kErrorBufferTooSmall) + " count=" + std::to_string(*count) +
                " needed=" + std::to_string(needed));
    return kErrorBufferTooSmall;
  }
  // Records of every layout begin with the fields of the oldest one; the
  // caller's dwSize is the stride.
  auto* bytes = reinterpret_cast<unsigned char*>(records);
  std::string names;
  for (size_t i = 0; i < connections.size(); ++i) {
    kvz::sim::RasConnV400 record{};
    record.dwSize = size;
    record.hrasconn = reinterpret_cast<HANDLE>(connections[i].handle);
    strncpy(record.szEntryName, connections[i].entryName.c_str(), kvz::sim::kMaxEntryName);
    strcpy(record.szDeviceType, "PPPoE");
    strcpy(record.szDeviceName, "WAN Miniport (PPPOE)");
    std::memset(bytes + i * size, 0, size);
    std::memcpy(bytes + i * size, &record, sizeof record);
    names.append(" ").append(Quoted(record.szEntryName)).append("=");
    names.append(Hex(connections[i].handle));
  }
  *bufferSize = needed;
  JournalLine(call + Result(0) + " count=" + std::to_string(*count) + names);
  return 0;
}

DWORD WINAPI RasGetErrorStringA(UINT code, char* buffer, DWORD bufferSize) {
  DialUpService& service = DialUpService::Instance();
  std::string call = "RasGetErrorStringA code=" + std::to_string(code) +
                     " size=" + std::to_string(bufferSize);
  const std::string* text = service.ErrorText(code);
  DWORD result = 0;
  if (buffer == nullptr || text == nullptr) {
    result = kErrorInvalidParameter;
  } else if (text->size() + 1 > bufferSize) {
    result = kErrorInsufficientBuffer;
  } else {
    std::memcpy(buffer, text->c_str(), text->size() + 1);
  }
  JournalLine(call + Result(result) + (result == 0 ? " text=" + Quoted(buffer) : ""));
  return result;
}

}  // extern "C"
