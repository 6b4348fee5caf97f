#include "updater/file_download.h"

namespace kvz::updater {

CFileDownload::CFileDownload(platform::IUrlDownloader& facility,
                             std::function<void()> processMessages)
    : m_oFacility(facility), m_fProcessMessages(std::move(processMessages)) {}

bool CFileDownload::StartDownloading(const std::string& sSrc, const std::string& sDest) {
  if (m_bDownloading || m_bInTransfer) return false;
  m_bInTransfer = true;
  m_oHttpStatus.reset();
  m_oAnnouncedLength.reset();
  const platform::UrlTransferResult result = m_oFacility.Transfer(sSrc, sDest, m_oEvents);
  // A facility that ends without reporting the stop leaves the engine idle all the same.
  m_bInTransfer = false;
  m_bDownloading = false;
  m_lBindingRef = 0;
  return TransferSucceeded(result);
}

bool CFileDownload::TransferSucceeded(const platform::UrlTransferResult& result) const {
  // URL monikers report success for an error page, for a cut-off body, for
  // a connection closed without an answer and even for a target that could
  // not be written; none of them may pass for the file that was asked for.
  if (!result.facilitySucceeded || !result.bytesSaved) return false;
  if (m_oHttpStatus && (*m_oHttpStatus < 200 || *m_oHttpStatus > 299)) return false;
  if (m_oAnnouncedLength && *result.bytesSaved != *m_oAnnouncedLength) return false;
  return true;
}

void CFileDownload::AbortDownloading() {
  if (m_lBindingRef == 1) m_oFacility.Abort();
  m_bDownloading = false;
}

void CFileDownload::Events::OnStart() {
  engine_.m_bDownloading = true;
  engine_.m_lBindingRef = 1;
}

void CFileDownload::Events::OnProgress(std::uint32_t progress, std::uint32_t progressMax,
                                       std::uint32_t statusCode, const std::string& statusText) {
  // The facility's unsigned values are taken as signed 32-bit.
  if (engine_.OnProgress) {
    engine_.OnProgress(static_cast<std::int32_t>(progress), static_cast<std::int32_t>(progressMax),
                       static_cast<std::int32_t>(statusCode), statusText);
  }
  if (engine_.m_fProcessMessages) engine_.m_fProcessMessages();
}

void CFileDownload::Events::OnResponse(int httpStatus,
                                       std::optional<std::uint64_t> announcedLength) {
  engine_.m_oHttpStatus = httpStatus;
  engine_.m_oAnnouncedLength = announcedLength;
}

void CFileDownload::Events::OnStop() {
  engine_.m_bDownloading = false;
  engine_.m_lBindingRef = 0;
}

}  // namespace kvz::updater
