#pragma once
#include <string>

#include "platform/url_download.h"

namespace kvz::platform::win32 {

class UrlmonBindCallback;

// URL download with URLDownloadToFileA; the binding-status callback is a COM
// object of ours that also answers IHttpNegotiate, so the HTTP status and
// the announced length reach the sink. The thread must have called
// CoInitialize.
class UrlmonDownloader : public IUrlDownloader {
 public:
  UrlmonDownloader();
  ~UrlmonDownloader() override;
  UrlmonDownloader(const UrlmonDownloader&) = delete;
  UrlmonDownloader& operator=(const UrlmonDownloader&) = delete;

  UrlTransferResult Transfer(const std::string& url, const std::string& file,
                             IUrlDownloadSink& sink) override;
  void Abort() override;

 private:
  UrlmonBindCallback* callback_;
};

}  // namespace kvz::platform::win32
