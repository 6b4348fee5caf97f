// ipconfig stand-in: prints the adapter list of a simulated machine in the
// layout whose labels the client looks for. KVZ_SIM_IPCONFIG_FILE names a
// file to print instead of the built-in list; KVZ_SIM_IPCONFIG_DELAY_MS makes
// it as slow as a busy machine; KVZ_SIM_IPCONFIG_JOURNAL names a file that
// gets one line per run, so a test can tell whether a capture ran.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "sim/routing/console_io.h"

namespace {

// A local network adapter ahead of the dial-up link, as on a subscriber's PC.
const char kDefaultListing[] =
    "\r\nWindows IP Configuration\r\n\r\n\r\n"
    "Ethernet adapter Local Area Connection:\r\n\r\n"
    "        Connection-specific DNS Suffix  . : \r\n"
    "        IP Address. . . . . . . . . . . . : 192.168.1.100\r\n"
    "        Subnet Mask . . . . . . . . . . . : 255.255.255.0\r\n"
    "        Default Gateway . . . . . . . . . : 192.168.1.1\r\n\r\n"
    "PPP adapter ZORuda:\r\n\r\n"
    "        Connection-specific DNS Suffix  . : \r\n"
    "        IP Address. . . . . . . . . . . . : 10.8.0.6\r\n"
    "        Subnet Mask . . . . . . . . . . . : 255.255.255.255\r\n"
    "        Default Gateway . . . . . . . . . : 10.8.0.6\r\n";

bool ReadFileBytes(const std::string& path, std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bytes = kvz::sim::ReadAll(file);
  CloseHandle(file);
  return true;
}

void JournalThisRun() {
  const std::string journal = kvz::sim::EnvironmentText("KVZ_SIM_IPCONFIG_JOURNAL");
  if (journal.empty()) return;
  HANDLE file = CreateFileA(journal.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  kvz::sim::WriteAll(file, "ipconfig\r\n");
  CloseHandle(file);
}

}  // namespace

int main() {
  JournalThisRun();
  const std::string delay = kvz::sim::EnvironmentText("KVZ_SIM_IPCONFIG_DELAY_MS");
  if (!delay.empty()) Sleep(static_cast<DWORD>(std::strtoul(delay.c_str(), nullptr, 10)));

  std::string listing = kDefaultListing;
  const std::string path = kvz::sim::EnvironmentText("KVZ_SIM_IPCONFIG_FILE");
  if (!path.empty() && !ReadFileBytes(path, listing)) {
    kvz::sim::ErrorLine("ipconfig: cannot read " + path);
    return 1;
  }
  return kvz::sim::WriteAll(GetStdHandle(STD_OUTPUT_HANDLE), listing) ? 0 : 1;
}
