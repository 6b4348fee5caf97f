// kvz_ras_probe: calls the dial-up service through Win32RasService, as the
// client does, and prints what comes back, one line per event (texts in
// UTF-8). Commands, several in one process separated by --:
//
//   enum
//   dial ENTRY USER PASSWORD [STATE]
//   hangup HANDLE
//   error CODE
//
// `dial` waits (at most 30 s) for RASCS_Connected or RASCS_Disconnected and
// prints every report; with STATE given it hangs up when that state arrives.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win32/win32_ras_service.h"

namespace {

constexpr int kConnected = 0x2000;
constexpr int kDisconnected = 0x2001;
constexpr DWORD kDialTimeoutMs = 30000;

HANDLE g_finished = nullptr;
DWORD g_mainThread = 0;
long g_hangUpState = -1;

std::string Utf8FromAnsi(const std::string& ansi) {
  if (ansi.empty()) return ansi;
  int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), n);
  int m = WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(m), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, utf8.data(), m, nullptr, nullptr);
  return utf8;
}

std::string Hex(unsigned long long value) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%llx", value);
  return text;
}

// printf and flush at once: reports come from another thread and the output
// is read through a pipe.
template <typename... Args>
void Line(const char* format, Args... args) {
  std::printf(format, args...);
  std::printf("\n");
  std::fflush(stdout);
}

void Notify(unsigned message, int state, std::uint32_t error) {
  bool own = GetCurrentThreadId() == g_mainThread;
  Line("notify message=0x%x state=%d error=%u thread=%s", message, state,
       static_cast<unsigned>(error), own ? "caller" : "other");
  if (state == kConnected || state == kDisconnected || state == g_hangUpState) {
    SetEvent(g_finished);
  }
}

int Enum(kvz::platform::IRasService& ras) {
  kvz::platform::RasConnectionRecord records[11];
  std::uint32_t count = 0;
  std::uint32_t result = ras.EnumConnections(records, 11, &count);
  Line("enum result=%u count=%u", static_cast<unsigned>(result), static_cast<unsigned>(count));
  for (std::uint32_t i = 0; result == 0 && i < count && i < 11; ++i) {
    Line("connection entry=%s handle=%s", Utf8FromAnsi(records[i].entryName).c_str(),
         Hex(records[i].handle).c_str());
  }
  return 0;
}

int Dial(kvz::platform::IRasService& ras, const std::vector<std::string>& args) {
  kvz::platform::RasDialRequest request;
  request.entryName = args[1];
  request.callbackNumber.assign(1, '*');  // assign(): GCC 12 -Wrestrict false alarm on = "*"
  request.userName = args[2];
  request.password = args[3];
  request.domain.assign(1, '*');
  g_hangUpState = args.size() > 4 ? std::strtol(args[4].c_str(), nullptr, 0) : -1;
  ResetEvent(g_finished);
  kvz::platform::RasHandle handle = 0;
  std::uint32_t result = ras.Dial(request, &Notify, &handle);
  Line("dial result=%u handle=%s", static_cast<unsigned>(result), Hex(handle).c_str());
  if (result != 0) return 0;
  if (WaitForSingleObject(g_finished, kDialTimeoutMs) != WAIT_OBJECT_0) {
    Line("dial timed out");
    return 1;
  }
  if (g_hangUpState >= 0) Line("hangup result=%u", static_cast<unsigned>(ras.HangUp(handle)));
  return 0;
}

int Run(kvz::platform::IRasService& ras, const std::vector<std::string>& args) {
  const std::string& command = args[0];
  if (command == "enum" && args.size() == 1) return Enum(ras);
  if (command == "dial" && args.size() >= 4 && args.size() <= 5) return Dial(ras, args);
  if (command == "hangup" && args.size() == 2) {
    auto handle = static_cast<kvz::platform::RasHandle>(std::strtoull(args[1].c_str(), nullptr, 0));
    Line("hangup result=%u", static_cast<unsigned>(ras.HangUp(handle)));
    return 0;
  }
  if (command == "error" && args.size() == 2) {
    auto code = static_cast<std::uint32_t>(std::strtoul(args[1].c_str(), nullptr, 10));
    Line("error text=%s", Utf8FromAnsi(ras.ErrorString(code)).c_str());
    return 0;
  }
  std::fprintf(stderr, "usage: kvz_ras_probe COMMAND [-- COMMAND ...]; commands: enum | "
                       "dial ENTRY USER PASSWORD [STATE] | hangup HANDLE | error CODE\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  g_mainThread = GetCurrentThreadId();
  g_finished = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  kvz::platform::win32::Win32RasService ras;
  std::vector<std::string> args;
  for (int i = 1; i <= argc; ++i) {
    if (i < argc && std::string(argv[i]) != "--") {
      args.push_back(argv[i]);
      continue;
    }
    if (args.empty()) return 2;
    if (int result = Run(ras, args); result != 0) return result;
    args.clear();
  }
  return 0;
}
