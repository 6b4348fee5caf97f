// The length of a session ended by the cancel command, reported and added
// to the entry's total in the settings file.
#include <cstdint>

#include "client/settings/escape_key_name.h"
#include "client/settings/ini_file.h"
#include "client/settings/settings_keys.h"
#include "client/shell/rasdialer_form.h"

namespace kvz::client {

using namespace settings;

void TRasDialerForm::AccountDuration() {
  if (FStartTicks == 0 || FStartTicks == -1) return;
  // Unsigned difference: right also when the tick count wrapped meanwhile.
  const std::uint32_t elapsedMs =
      services_.clock.TickCount() - static_cast<std::uint32_t>(FStartTicks);
  const std::uint32_t seconds = elapsedMs / 1000;
  ShowStatus(std::string(kConnectTimeKey) + ": " + std::to_string(seconds) + " Sec with " +
             FEntryName);
  FStartTicks = 0;

  TIniFile ini(services_.profile, FIniFileName);
  const std::string section = kEntrySectionPrefix + EscapeKeyName(FEntryName);
  const std::int32_t total = ini.ReadInteger(section, kConnectTimeKey, 0);
  // The sum stays within what the file's integer can hold.
  std::int64_t sum = static_cast<std::int64_t>(total) + seconds;
  if (sum > INT32_MAX) sum = INT32_MAX;
  ini.WriteInteger(section, kConnectTimeKey, static_cast<std::int32_t>(sum));
  ShowStatus(std::string("Cumulated ") + kConnectTimeKey + ": " + std::to_string(sum) + " Sec");
}

}  // namespace kvz::client
