#pragma once
#include <string>

namespace kvz::client::settings {

// Sections and keys of KVZClient.ini.
inline constexpr char kIniFileName[] = "KVZClient.ini";

inline constexpr char kClientSection[] = "KVZ Client";
inline constexpr char kNetworkTypeKey[] = "actStr";

inline constexpr char kLastSection[] = "Last";
inline constexpr char kEntryNameKey[] = "EntryName";
inline constexpr char kUserNameKey[] = "UserName";
inline constexpr char kPasswordKey[] = "Password";
// The leading blanks do not count in a key name: this is the key "Password".
inline constexpr char kSavedPasswordKey[] = "   Password";
inline constexpr char kSavePasswordKey[] = "SavePW";

// Per entry: "RAS_ENTRY_" + escaped entry name; per user: "USER_" + escaped user.
inline constexpr char kEntrySectionPrefix[] = "RAS_ENTRY_";
inline constexpr char kUserKeyPrefix[] = "USER_";

// The entry's connection-time total (whole seconds). The same words are the
// label of the two status lines that report a session's time.
inline constexpr char kConnectTimeKey[] = "Connect Time";

// The three local network types that the setup program stores.
inline constexpr char kTelecomNetwork[] = "电信网络";
inline constexpr char kNetcomNetwork[] = "网通网络";
inline constexpr char kInternalNetwork[] = "内部网络";

inline bool IsKnownNetworkType(const std::string& value) {
  return value == kTelecomNetwork || value == kNetcomNetwork || value == kInternalNetwork;
}

// The companion setup program beside the client.
inline constexpr char kSetupProgram[] = "setForm.exe";

}  // namespace kvz::client::settings
