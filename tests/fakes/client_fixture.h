#pragma once
#include <sys/stat.h>

#include <string>

#include "client/shell/about_form.h"
#include "client/shell/rasdialer_form.h"
#include "tests/fakes/fake_application.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_profile.h"
#include "tests/fakes/fake_ras.h"
#include "tests/fakes/fake_shell.h"
#include "platform/host/host_file_system.h"
#include "tests/fakes/temp_folder.h"

namespace kvz::fakes {

// The client's main window on fakes, with the RAS callback wired to the
// application's queue the way the real service delivers reports.
struct ClientFixture {
  FakeApplication app;
  FakeRas ras;
  FakeShell shell;
  FakeProfile profile;
  testing::TempFolder drives;  // drive C is drives/c
  platform::HostFileSystem files{drives.Path()};
  FakeClock clock;
  client::ClientServices services{app, ras, shell, profile, files, clock};
  client::TRasDialerForm form{services};
  client::TAboutForm about{services};

  ClientFixture() {
    ::mkdir((drives.Path() + "/c").c_str(), 0700);
    form.SetAboutForm(&about);
    // A set-up client: the Connect command needs a local network type.
    profile.values[{form.FIniFileName, "KVZ Client", "actStr"}] = "电信网络";
  }

  // Runs the posted messages through the form's message handler.
  void Pump() {
    app.Drain([this](const FakeApplication::Message& m) {
      form.Invoke([&] { form.WndProc(m.message, m.wParam, m.lParam); });
    });
  }
  // RAS reports a state through the callback the client gave it.
  void Report(int state, std::uint32_t error = 0) {
    if (ras.lastNotify) ras.lastNotify(0, state, error);
  }
  void TypeCredentials(const std::string& user, const std::string& password) {
    form.UserNameComboBox.SetCaptionFromUser(user);
    form.PasswordEdit.SetCaptionFromUser(password);
  }
  std::size_t ShellCallsTo(const std::string& file) const {
    std::size_t n = 0;
    for (const auto& c : shell.calls) n += c.file == file;
    return n;
  }
};

}  // namespace kvz::fakes
