#include "setform/network_setup.h"

namespace kvz::setform {

namespace {
constexpr char kSection[] = "KVZ Client";
constexpr char kKey[] = "actStr";
constexpr std::size_t kReadBuffer = 2048;

int IndexOf(const std::string& value) {
  for (std::size_t i = 0; i < kNetworkTypes.size(); ++i) {
    if (value == kNetworkTypes[i]) return static_cast<int>(i);
  }
  return -1;
}
}  // namespace

std::string IniPathBeside(const std::string& programPath) {
  std::size_t slash = programPath.rfind('\\');
  if (slash == std::string::npos) return "KVZClient.ini";
  std::string folder = programPath.substr(0, slash);
  if (folder.size() == 2 && folder[1] == ':') folder += '\\';
  return folder + "\\KVZClient.ini";
}

NetworkSetup::NetworkSetup(platform::IProfileFile& profile, std::string iniPath)
    : profile_(profile), iniPath_(std::move(iniPath)) {}

void NetworkSetup::Load() {
  stored_ = profile_.GetString(kSection, kKey, "", kReadBuffer, iniPath_);
  selected_ = IndexOf(stored_);
}

std::string NetworkSetup::CurrentText() const {
  const int index = IndexOf(stored_);
  return std::string(texts::kCurrentPrefix) + (index >= 0 ? kNetworkTypes[index] : texts::kNotSet);
}

void NetworkSetup::Select(int index) {
  if (index >= 0 && index < static_cast<int>(kNetworkTypes.size())) selected_ = index;
}

bool NetworkSetup::Confirm() {
  if (selected_ < 0) return false;
  if (!profile_.WriteString(kSection, kKey, kNetworkTypes[selected_], iniPath_)) return false;
  stored_ = kNetworkTypes[selected_];
  return true;
}

}  // namespace kvz::setform
