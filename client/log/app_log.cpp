#include "client/log/app_log.h"

namespace kvz::client {

TLogMsg* AppLog = nullptr;

}  // namespace kvz::client
