#include "client/log/app_log.h"

namespace kvz::client {

TLogMsg* AppLog = nullptr;

ScopedAppLog::ScopedAppLog(platform::IFileSystem& files, platform::IClock& clock,
                           TLogMsg::ModuleFileNameFn moduleFileName) {
  AppLog = new TLogMsg("", files, clock, std::move(moduleFileName));
}

ScopedAppLog::~ScopedAppLog() {
  delete AppLog;
  AppLog = nullptr;
}

}  // namespace kvz::client
