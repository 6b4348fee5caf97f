#pragma once
#include "client/log/log_msg.h"

namespace kvz::client {

// The program's one event log: created first thing in the main routine and
// freed after the message loop ends (which writes the stop line).
extern TLogMsg* AppLog;

}  // namespace kvz::client
