#include "client/shell/client_entry.h"

#include "client/log/app_log.h"
#include "client/shell/about_form.h"
#include "client/shell/rasdialer_form.h"

namespace kvz::client {

int RunClient(ClientServices& services, ui::UiHost& host) {
  ScopedAppLog appLog(services.files, services.clock,
                      [&services] { return services.app.ModuleFileName(); });
  host.Initialize("Tovan网络加速");
  TRasDialerForm mainForm(services);
  TAboutForm aboutForm(services);
  mainForm.SetAboutForm(&aboutForm);
  host.AddForm(mainForm);
  host.AddForm(aboutForm);
  host.Run();
  // Nothing on the way out hangs up: the next start adopts the connection.
  return 0;
}

}  // namespace kvz::client
