#pragma once
#include "client/shell/client_services.h"
#include "ui/ui_host.h"

namespace kvz::client {

// The client's entry sequence: the log, the application, the main window and
// the about box, then the message loop. Returns the process exit code.
int RunClient(ClientServices& services, ui::UiHost& host);

}  // namespace kvz::client
