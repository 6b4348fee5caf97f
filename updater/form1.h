#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/file_system.h"
#include "platform/profile_file.h"
#include "platform/shell.h"
#include "platform/url_download.h"
#include "updater/file_download.h"
#include "updater/form1_window.h"
#include "updater/ini_file.h"

namespace kvz::updater {

// What the updater's window reaches the world through.
struct Form1Platform {
  platform::IFileSystem& files;
  platform::IProfileFile& profile;
  platform::IShell& shell;
  platform::IUrlDownloader& downloader;
  IForm1Window& window;
  // Full path of the running program, as the platform names it.
  std::string programFile;
};

// The updater's one window: the whole update runs inside its load handling,
// and every way out of the run closes it, which starts the client.
class Form1 {
 public:
  explicit Form1(Form1Platform platform);
  ~Form1();
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  void Form_Load();
  void RunUpdate();
  void Form_Unload();
  void m_oFileDownload_OnProgress(std::int32_t lProgress, std::int32_t lMaxProgress,
                                  std::int32_t lStatusCode, const std::string& sStatusText);
  // Whole content of an ordinary file, or empty text when there is none or
  // it cannot be read.
  std::string FileText(const std::string& FileName);
  bool FileExists(const std::string& FileName);

  // Closes the window: the unload step runs before this returns; once only.
  void Close();

  const std::string& Caption() const { return m_sCaption; }
  const std::string& ProgressText() const { return m_sProgressText; }
  const std::string& AppPath() const { return m_sAppPath; }
  const std::string& CacheName() const { return m_sCacheName; }
  std::int16_t Stage() const { return m_iStage; }
  bool IsClosed() const { return m_bClosed; }
  // True while a transfer of the run is in progress (messages may run then).
  bool IsTransferring() const { return m_oFileDownload && m_oFileDownload->IsDownloading(); }
  void AbortTransfer();

 private:
  std::string Setting(const char* key);
  // Fetches, backs up and installs one manifest entry; false stops the run.
  bool InstallEntry(const std::string& base, const std::string& name);
  void SetCaption(const std::string& text);
  void SetProgressText(const std::string& text);

  Form1Platform m_oPlatform;
  std::string m_sAppDir;   // the folder as the platform names it
  std::string m_sAppPath;  // the folder with exactly one trailing backslash
  std::unique_ptr<cIniFile> m_oIniFile;
  std::unique_ptr<CFileDownload> m_oFileDownload;
  std::string m_sCacheName;
  std::int16_t m_iStage = 0;
  bool m_bClosed = false;
  std::string m_sCaption;
  std::string m_sProgressText;
};

// The folder part of a program path: without the trailing backslash, except
// at the root of a drive ("C:\").
std::string FolderOfProgram(const std::string& programFile);

}  // namespace kvz::updater
