#pragma once
#include <array>
#include <string>

#include "client/settings/settings_keys.h"
#include "platform/profile_file.h"

namespace kvz::setform {

// The texts of the setup dialog (GBK).
namespace texts {
inline constexpr char kTitle[] = "设置本地网络";
inline constexpr char kPrompt[] = "请选择您的本地网络：";
inline constexpr char kCurrentPrefix[] = "当前设置：";
inline constexpr char kNotSet[] = "未设置";
inline constexpr char kOk[] = "确定";
inline constexpr char kCancel[] = "取消";
inline constexpr char kWriteFailed[] = "无法保存设置，请检查文件：";
}  // namespace texts

// The choices, in the order the dialog lists them; the texts are stored as
// they are in "actStr" of section "KVZ Client".
inline constexpr std::array<const char*, 3> kNetworkTypes = {
    client::settings::kTelecomNetwork, client::settings::kNetcomNetwork,
    client::settings::kInternalNetwork};

// The settings file beside the program: its folder (a drive root keeps its
// backslash) followed by "\KVZClient.ini".
std::string IniPathBeside(const std::string& programPath);

// The dialog's state: which network type is stored and which one is chosen.
class NetworkSetup {
 public:
  NetworkSetup(platform::IProfileFile& profile, std::string iniPath);

  // Reads the stored type afresh and preselects it when it is a known one.
  void Load();
  // The "current setting" line.
  std::string CurrentText() const;
  int Selected() const { return selected_; }
  void Select(int index);
  bool CanConfirm() const { return selected_ >= 0; }
  // Writes the chosen type; false when nothing is chosen or the write failed.
  bool Confirm();
  const std::string& IniPath() const { return iniPath_; }

 private:
  platform::IProfileFile& profile_;
  std::string iniPath_;
  std::string stored_;
  int selected_ = -1;
};

}  // namespace kvz::setform
