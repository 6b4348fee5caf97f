#include "client/routing/split_routing.h"

#include <optional>

#include "client/routing/capture_script.h"
#include "client/routing/key_value.h"
#include "client/routing/route_script.h"
#include "client/routing/script_files.h"

namespace kvz::client {

void RunSplitRouting(const std::string& networkType, const SplitRoutingDeps& deps) {
  // Without our own capture script in place, whatever else the file holds
  // must not be run.
  if (!deps.files.WriteWholeFile(kCommandScriptPath, CaptureScript())) return;

  // The capture script deletes the command file as its last step, and the
  // route script goes to that same file: so the route script may only be
  // written once the capture has ended, never after a guessed delay. A
  // capture that cannot be started or does not end within the bound leaves
  // the connection without routes.
  if (!deps.shell.ExecuteAndWait(deps.owner, "Open", kCommandScriptPath, std::nullopt, "",
                                 platform::kSwHide, deps.captureTimeoutMs)) {
    return;
  }

  const NetworkValues values = ReadNetworkValues(
      BuildCapturedText(deps.files.ReadWholeFile(kNetInfoPath).value_or(std::string())));
  if (CheckAddressShape(values.gateway) == "1") return;
  if (CheckAddressShape(values.address) == "1") return;

  // A script that was not written whole is not run: half a route list is worse
  // than none.
  if (!deps.files.WriteWholeFile(kCommandScriptPath,
                                 BuildRouteScript(values.gateway, values.address, networkType))) {
    return;
  }
  deps.shell.Execute(deps.owner, "Open", kCommandScriptPath, std::nullopt, "", platform::kSwHide);
}

}  // namespace kvz::client
