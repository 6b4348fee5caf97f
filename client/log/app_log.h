#pragma once
#include "client/log/log_msg.h"

namespace kvz::client {

// The program's one event log: created first thing in the main routine and
// freed after the message loop ends (which writes the stop line).
extern TLogMsg* AppLog;

// Holds AppLog for the life of the main routine: creates it with an empty
// name (so it is named after the executable) and frees it at the end.
class ScopedAppLog {
 public:
  ScopedAppLog(platform::IFileSystem& files, platform::IClock& clock,
               TLogMsg::ModuleFileNameFn moduleFileName);
  ~ScopedAppLog();
  ScopedAppLog(const ScopedAppLog&) = delete;
  ScopedAppLog& operator=(const ScopedAppLog&) = delete;
};

}  // namespace kvz::client
