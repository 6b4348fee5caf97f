#include "platform/win32/urlmon_downloader.h"

#include "platform/win32/urlmon_bind_callback.h"

namespace kvz::platform::win32 {

namespace {

std::optional<std::uint64_t> FileSize(const std::string& file) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
  return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace

UrlmonDownloader::UrlmonDownloader() : callback_(new UrlmonBindCallback) {}

UrlmonDownloader::~UrlmonDownloader() {
  callback_->DropBinding();
  callback_->Release();
}

UrlTransferResult UrlmonDownloader::Transfer(const std::string& url, const std::string& file,
                                             IUrlDownloadSink& sink) {
  callback_->Attach(&sink);
  // The texts are GBK bytes, the system's ANSI code page on the target machines.
  const HRESULT result = URLDownloadToFileA(static_cast<IBindStatusCallback*>(callback_),
                                            url.c_str(), file.c_str(), 0, callback_);
  callback_->Attach(nullptr);
  UrlTransferResult outcome;
  outcome.facilitySucceeded = result == S_OK;
  outcome.bytesSaved = FileSize(file);
  return outcome;
}

void UrlmonDownloader::Abort() { callback_->AbortTransfer(); }

}  // namespace kvz::platform::win32
