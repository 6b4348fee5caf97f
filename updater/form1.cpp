#include "updater/form1.h"

#include "updater/manifest.h"
#include "updater/need_update.h"
#include "updater/progress_text.h"
#include "updater/update_texts.h"

namespace kvz::updater {

std::string FolderOfProgram(const std::string& programFile) {
  const auto slash = programFile.find_last_of('\\');
  if (slash == std::string::npos) return {};
  std::string folder = programFile.substr(0, slash);
  if (folder.size() == 2 && folder[1] == ':') folder += '\\';
  return folder;
}

Form1::Form1(Form1Platform platform)
    : m_oPlatform(std::move(platform)),
      m_sCaption(kDesignedCaption),
      m_sProgressText(kDesignedProgressText) {}

Form1::~Form1() = default;

void Form1::Form_Load() {
  m_sAppDir = FolderOfProgram(m_oPlatform.programFile);
  // At the root of a drive the folder already ends with its backslash.
  m_sAppPath = m_sAppDir;
  if (m_sAppPath.empty() || m_sAppPath.back() != '\\') m_sAppPath += '\\';

  m_oFileDownload = std::make_unique<CFileDownload>(
      m_oPlatform.downloader, [this] { m_oPlatform.window.ProcessMessages(); });
  m_oFileDownload->OnProgress = [this](std::int32_t progress, std::int32_t max, std::int32_t status,
                                       const std::string& text) {
    m_oFileDownload_OnProgress(progress, max, status, text);
  };

  SetCaption(kCaption);
  SetProgressText(kLoadingProgressText);
  RunUpdate();
}

std::string Form1::Setting(const char* key) {
  return SettingFromBuffer(m_oIniFile->GetFile(kSettingsSection, key));
}

void Form1::RunUpdate() {
  if (!m_oIniFile) m_oIniFile = std::make_unique<cIniFile>(m_oPlatform.profile);
  m_oIniFile->INIFile(m_sAppPath + kSettingsFileName);
  const std::string installedVersion = Setting(kVersionKey);
  const std::string base = Setting(kUpdateUrlKey);
  const std::string previousCache = Setting(kCacheNameKey);

  // The copy of the manifest that the last run left in the download cache
  // would otherwise be served again instead of the server's current one.
  if (!previousCache.empty()) m_oPlatform.files.DeleteFile(previousCache);

  m_iStage = 1;
  const std::string localManifest = m_sAppPath + kUpdateFolder + kLocalManifestName;
  if (!m_oFileDownload->StartDownloading(base + kServerManifestPath, localManifest)) {
    Close();
    return;
  }
  const std::string manifest = FileText(localManifest);
  if (manifest.empty()) {
    Close();
    return;
  }
  const std::vector<std::string> lines = SplitManifestLines(manifest);
  if (lines.size() - 1 > kMaxManifestEntries || !NeedUpdate(installedVersion, lines[0])) {
    Close();
    return;
  }

  m_iStage = 2;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    if (!InstallEntry(base, lines[i])) {
      Close();
      return;
    }
  }
  Close();
}

bool Form1::InstallEntry(const std::string& base, const std::string& name) {
  if (!IsSafeManifestName(name)) return false;
  const std::string fetched = m_sAppPath + kUpdateFolder + name;
  if (!m_oFileDownload->StartDownloading(base + kServerFilesPath + name, fetched)) return false;

  const std::string installed = m_sAppPath + name;
  const std::string backup = fetched + kBackupSuffix;
  platform::IFileSystem& files = m_oPlatform.files;
  const bool backedUp = files.MoveFileReplace(installed, backup);
  // When the new copy cannot take the name (for instance the update folder's
  // file is held open), the previous copy goes back so the name is never left
  // without an installed file.
  if (!files.MoveFileReplace(fetched, installed) && backedUp)
    files.MoveFileReplace(backup, installed);
  return true;
}

void Form1::m_oFileDownload_OnProgress(std::int32_t lProgress, std::int32_t lMaxProgress,
                                       std::int32_t lStatusCode, const std::string& sStatusText) {
  SetProgressText(updater::ProgressText(ProgressPercent(lProgress, lMaxProgress)));
  if (lStatusCode == static_cast<std::int32_t>(platform::kBindStatusCacheFileNameAvailable) &&
      m_iStage == 1) {
    m_sCacheName = sStatusText;
  }
}

std::string Form1::FileText(const std::string& FileName) {
  if (!m_oPlatform.files.IsOrdinaryFile(FileName)) return {};
  // A manifest that exists but cannot be read stops the run like an empty one.
  return m_oPlatform.files.ReadWholeFile(FileName).value_or(std::string());
}

bool Form1::FileExists(const std::string& FileName) {
  return m_oPlatform.files.IsOrdinaryFile(FileName);
}

void Form1::Close() {
  if (m_bClosed) return;
  m_bClosed = true;
  Form_Unload();
  m_oPlatform.window.Destroy();
}

void Form1::Form_Unload() {
  if (!m_oIniFile) {
    m_oIniFile = std::make_unique<cIniFile>(m_oPlatform.profile);
    m_oIniFile->INIFile(m_sAppPath + kSettingsFileName);
  }
  m_oIniFile->WriteFile(kSettingsSection, kCacheNameKey, m_sCacheName);
  m_oIniFile.reset();
  m_oFileDownload.reset();
  m_oPlatform.shell.Execute(m_oPlatform.window.Handle(), kShellVerb, m_sAppPath + kClientProgram,
                            std::string(), m_sAppDir, platform::kSwShowNormal);
}

void Form1::AbortTransfer() {
  if (m_oFileDownload) m_oFileDownload->AbortDownloading();
}

void Form1::SetCaption(const std::string& text) {
  m_sCaption = text;
  m_oPlatform.window.SetCaption(text);
}

void Form1::SetProgressText(const std::string& text) {
  m_sProgressText = text;
  m_oPlatform.window.SetProgressText(text);
}

}  // namespace kvz::updater
