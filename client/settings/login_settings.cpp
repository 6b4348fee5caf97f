// The main window's use of the settings file at start-up and at every
// connect command, and the start of the network setup program.
#include <optional>

#include "client/settings/escape_key_name.h"
#include "client/settings/ini_file.h"
#include "client/settings/password_scramble.h"
#include "client/settings/profile_value.h"
#include "client/settings/settings_keys.h"
#include "client/shell/rasdialer_form.h"
#include "platform/types.h"

namespace kvz::client {

using namespace settings;

void TRasDialerForm::SaveLoginSettings() {
  TIniFile ini(services_.profile, FIniFileName);
  FNetworkType = ini.ReadString(kClientSection, kNetworkTypeKey, "");
  if (!IsKnownNetworkType(FNetworkType)) {
    services_.app.ShowMessage("您还没有设置您的本地网络，先请设置！");
    OpenNetworkSetup();
    services_.app.Terminate();
    FNetworkUnset = 1;
    return;
  }

  const std::string entryName = EntryNameComboBox.caption();
  const std::string userName = UserNameComboBox.caption();
  const std::string password = PasswordEdit.caption();
  ini.WriteString(kLastSection, kEntryNameKey, ProfileSafeValue(entryName));
  ini.WriteString(kLastSection, kUserNameKey, ProfileSafeValue(userName));
  if (SavePWCheckBox.checked()) {
    ini.WriteString(kLastSection, kSavedPasswordKey, ScramblePassword(password, services_.clock));
    ini.WriteString(kLastSection, kSavePasswordKey, "1");
    const std::string entry = EscapeKeyName(TrimControlAndBlanks(entryName));
    const std::string user = EscapeKeyName(TrimControlAndBlanks(userName));
    if (!entry.empty() && !user.empty()) {
      ini.WriteString(kEntrySectionPrefix + entry, kUserKeyPrefix + user,
                      ScramblePassword(password, services_.clock));
    }
  } else {
    ini.WriteString(kLastSection, kPasswordKey, "");
    ini.WriteString(kLastSection, kSavePasswordKey, "0");
  }
}

void TRasDialerForm::OpenNetworkSetup() {
  const std::string networkType =
      TIniFile(services_.profile, FIniFileName).ReadString(kClientSection, kNetworkTypeKey, "");
  services_.shell.Execute(services_.app.ApplicationWindow(), "Open",
                          FAppDir + "\\" + kSetupProgram, std::nullopt, "",
                          platform::kSwShowNormal);
  if (networkType.empty()) services_.app.Terminate();
}

void TRasDialerForm::RestoreLoginFields() {
  TIniFile ini(services_.profile, FIniFileName);
  UserNameComboBox.SetCaption(ini.ReadString(kLastSection, kUserNameKey, ""));
  const std::string stored = ini.ReadString(kLastSection, kPasswordKey, "");
  // A stored text that does not decode throws here, before anything below.
  PasswordEdit.SetCaption(stored.empty() ? std::string() : UnscramblePassword(stored));
  SavePWCheckBox.SetChecked(ini.ReadString(kLastSection, kSavePasswordKey, "0") == "1");
}

}  // namespace kvz::client
