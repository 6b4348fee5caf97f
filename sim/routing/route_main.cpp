// route stand-in: changes nothing, but appends its arguments, joined by single
// blanks, as one line to the journal file named by KVZ_SIM_ROUTE_JOURNAL, so
// a test can read which routes a script set and in which order.
#include <windows.h>

#include <string>

#include "sim/routing/console_io.h"

int main(int argc, char** argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) line += ' ';
    line += argv[i];
  }
  line += "\r\n";

  const std::string journal = kvz::sim::EnvironmentText("KVZ_SIM_ROUTE_JOURNAL");
  if (journal.empty()) {
    kvz::sim::ErrorLine("route: KVZ_SIM_ROUTE_JOURNAL is not set");
    return 1;
  }
  // Append access alone makes each write land at the end, whoever else writes.
  HANDLE file = CreateFileA(journal.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    kvz::sim::ErrorLine("route: cannot open " + journal);
    return 1;
  }
  const bool written = kvz::sim::WriteAll(file, line);
  CloseHandle(file);
  if (written) kvz::sim::WriteAll(GetStdHandle(STD_OUTPUT_HANDLE), " OK!\r\n");
  return written ? 0 : 1;
}
