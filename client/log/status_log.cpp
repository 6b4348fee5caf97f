// Every status line of the main window also goes to the event log.
#include "client/log/app_log.h"
#include "client/shell/rasdialer_form.h"

namespace kvz::client {

void TRasDialerForm::LogStatusLine(const std::string& text) {
  if (AppLog) AppLog->LogText('!', text);
}

}  // namespace kvz::client
