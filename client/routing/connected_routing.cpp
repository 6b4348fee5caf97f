// The main window hands a connection it dialled itself to split routing.
#include "client/routing/split_routing.h"
#include "client/shell/rasdialer_form.h"

namespace kvz::client {

void TRasDialerForm::RunSplitRouting() {
  ::kvz::client::RunSplitRouting(
      FNetworkType, SplitRoutingDeps{services_.files, services_.shell,
                                     services_.app.ApplicationWindow()});
}

}  // namespace kvz::client
