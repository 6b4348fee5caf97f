#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/url_download.h"

namespace kvz::updater {

// Fetches one URL into one file at a time and raises OnProgress for every
// progress report of the facility, on the calling thread.
class CFileDownload {
 public:
  using ProgressHandler =
      std::function<void(std::int32_t lProgress, std::int32_t lMaxProgress,
                         std::int32_t lStatusCode, const std::string& sStatusText)>;

  // `processMessages` runs the user interface's waiting messages once; it is
  // called after every progress report.
  CFileDownload(platform::IUrlDownloader& facility, std::function<void()> processMessages);
  CFileDownload(const CFileDownload&) = delete;
  CFileDownload& operator=(const CFileDownload&) = delete;

  ProgressHandler OnProgress;

  // True only when the facility succeeded, the target file is there, every
  // HTTP answer the facility passed on carried a 2xx status (the last one
  // counts), and the file holds as many bytes as that answer announced
  // (where it announced a length). False at once, with no event, while
  // another transfer of this engine is still running.
  bool StartDownloading(const std::string& sSrc, const std::string& sDest);
  // Ends the running transfer; only effective from inside an OnProgress
  // handler or a message run after a report.
  void AbortDownloading();

  bool IsDownloading() const { return m_bDownloading; }

 private:
  // The facility's events for the running transfer.
  class Events : public platform::IUrlDownloadSink {
   public:
    explicit Events(CFileDownload& engine) : engine_(engine) {}
    void OnStart() override;
    void OnProgress(std::uint32_t progress, std::uint32_t progressMax, std::uint32_t statusCode,
                    const std::string& statusText) override;
    void OnResponse(int httpStatus, std::optional<std::uint64_t> announcedLength) override;
    void OnStop() override;

   private:
    CFileDownload& engine_;
  };

  bool TransferSucceeded(const platform::UrlTransferResult& result) const;

  platform::IUrlDownloader& m_oFacility;
  std::function<void()> m_fProcessMessages;
  Events m_oEvents{*this};
  bool m_bDownloading = false;
  // 1 from the start of a transfer to its end: the span in which an abort can
  // reach the facility.
  std::int32_t m_lBindingRef = 0;
  // True for the whole facility call, aborted or not, so that no second
  // transfer is ever nested inside a running one.
  bool m_bInTransfer = false;
  // The HTTP status of the last answer; none when the facility told none (a
  // cache hit, a file: URL). A status 0 means an answer that never came.
  std::optional<int> m_oHttpStatus;
  std::optional<std::uint64_t> m_oAnnouncedLength;
};

}  // namespace kvz::updater
