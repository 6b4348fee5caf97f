// Operations of the main window that their own subsystems take over: the
// settings file, connection time, the event log and split routing. Until
// they join, these do nothing, so the client dials without remembering
// logins, logging or setting routes.
#include "client/shell/rasdialer_form.h"

namespace kvz::client {

void TRasDialerForm::RunSplitRouting() {}

}  // namespace kvz::client
