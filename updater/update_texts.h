#pragma once

namespace kvz::updater {

// Texts of the updater's window (GBK through the build's execution charset).
inline constexpr char kDesignedCaption[] = "update";
inline constexpr char kCaption[] = "自动更新";
inline constexpr char kDesignedProgressText[] = "更新进度：0%";
inline constexpr char kLoadingProgressText[] = "更新进度...";
inline constexpr char kDownloadProgressPrefix[] = "下载进度：";

// Names the update run works with, relative to the updater's folder or the server base.
inline constexpr char kSettingsFileName[] = "config.ini";
inline constexpr char kSettingsSection[] = "soft";
inline constexpr char kVersionKey[] = "version";
inline constexpr char kUpdateUrlKey[] = "updateURL";
inline constexpr char kCacheNameKey[] = "cacheName";
inline constexpr char kUpdateFolder[] = "update\\";
inline constexpr char kLocalManifestName[] = "soft.html";
inline constexpr char kServerManifestPath[] = "update/soft.html";
inline constexpr char kServerFilesPath[] = "soft/";
inline constexpr char kBackupSuffix[] = ".bak";
inline constexpr char kClientProgram[] = "KVZClient.exe";
inline constexpr char kShellVerb[] = "Open";

}  // namespace kvz::updater
