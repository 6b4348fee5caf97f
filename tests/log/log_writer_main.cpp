// Waits until the file GO exists, writes COUNT lines into the log at PATH
// with the tag TAG, then ends:  log_writer PATH TAG COUNT GO
// Two of these running at once must leave only whole lines in the file.
#include <sys/stat.h>
#include <time.h>

#include <cstdlib>
#include <string>

#include "client/log/log_msg.h"
#include "platform/host/host_clock.h"
#include "platform/host/host_file_system.h"
#include "tests/log/concurrent_line.h"

int main(int argc, char** argv) {
  if (argc != 5) return 2;
  struct stat st;
  for (int waited = 0; ::stat(argv[4], &st) != 0; ++waited) {
    if (waited == 10000) return 3;  // ten seconds at most
    timespec ms{0, 1000000};
    ::nanosleep(&ms, nullptr);
  }
  kvz::platform::HostFileSystem files;
  kvz::platform::HostClock clock;
  kvz::client::TLogMsg log(argv[1], files, clock, [] { return std::string(); });
  const char tag = argv[2][0];
  const int count = std::atoi(argv[3]);
  for (int i = 0; i < count; ++i) log.LogText(tag, kvz::testing::ConcurrentLineText(tag, i));
  return 0;
}
