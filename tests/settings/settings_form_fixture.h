#pragma once
#include <sys/stat.h>

#include <memory>
#include <string>

#include "client/shell/rasdialer_form.h"
#include "platform/host/host_file_system.h"
#include "platform/host/host_profile_file.h"
#include "tests/fakes/fake_application.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_ras.h"
#include "tests/fakes/fake_shell.h"
#include "tests/fakes/temp_folder.h"

namespace kvz::testing {

// The main window on fakes, but with its settings file real: drive C: is a
// folder of a fresh temporary folder and the client lies in C:\Tovan.
struct SettingsFormFixture {
  static constexpr char kIniPath[] = "C:\\Tovan\\KVZClient.ini";
  static constexpr char kIniFile[] = "c/Tovan/KVZClient.ini";

  TempFolder drive;
  fakes::FakeApplication app;
  fakes::FakeRas ras;
  fakes::FakeShell shell;
  platform::HostProfileFile profile{drive.Path()};
  platform::HostFileSystem files{drive.Path()};
  fakes::FakeClock clock;
  client::ClientServices services{app, ras, shell, profile, files, clock};
  std::unique_ptr<client::TRasDialerForm> form;

  SettingsFormFixture() {
    ::mkdir(drive.File("c").c_str(), 0755);
    ::mkdir(drive.File("c/Tovan").c_str(), 0755);
    app.moduleFileName = "C:\\Tovan\\KVZClient.exe";
    Restart();
  }

  // A new main window, as at the next start of the client.
  client::TRasDialerForm& Restart() {
    form = std::make_unique<client::TRasDialerForm>(services);
    return *form;
  }
  // Runs a handler inside the event boundary, as the window system does.
  void Run(void (client::TRasDialerForm::*handler)()) {
    form->Invoke([this, handler] { (form.get()->*handler)(); });
  }
  void WriteIni(const std::string& bytes) { drive.Write(kIniFile, bytes); }
  std::string Ini() { return drive.Read(kIniFile).value_or("<missing>"); }
  bool IniExists() { return drive.Exists(kIniFile); }
  std::string Read(const std::string& section, const std::string& key,
                   const std::string& def = "<none>") {
    return profile.GetString(section, key, def, 2048, kIniPath);
  }
  void Type(const std::string& user, const std::string& password, bool savePassword) {
    form->UserNameComboBox.SetCaptionFromUser(user);
    form->PasswordEdit.SetCaptionFromUser(password);
    form->SavePWCheckBox.SetCheckedFromUser(savePassword);
  }
};

}  // namespace kvz::testing
