#pragma once
#include <string>

namespace kvz::client {

// The status-list text of a RAS connection state (GBK bytes).
std::string RasStateText(int state);

}  // namespace kvz::client
