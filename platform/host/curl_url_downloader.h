#pragma once
#include <string>

#include "platform/url_download.h"

namespace kvz::platform {

// URL download over libcurl on the calling thread. It keeps no cache, so it
// never reports status 14. Progress reports: 4 when the body begins (total =
// announced length or 0), 5 for every piece of the body, 6 at its end; the
// text is the URL. Connections are kept for the next transfer, as a browser's
// download facility keeps them. Windows paths are mapped by HostPath with
// driveRoot.
class CurlUrlDownloader : public IUrlDownloader {
 public:
  explicit CurlUrlDownloader(std::string driveRoot = {});
  ~CurlUrlDownloader() override;
  CurlUrlDownloader(const CurlUrlDownloader&) = delete;
  CurlUrlDownloader& operator=(const CurlUrlDownloader&) = delete;

  UrlTransferResult Transfer(const std::string& url, const std::string& file,
                             IUrlDownloadSink& sink) override;
  void Abort() override { abortRequested_ = true; }

 private:
  std::string driveRoot_;
  bool abortRequested_ = false;
  // One handle for every transfer, so that its connection cache is kept.
  void* curl_ = nullptr;
  // The handle cannot run a second transfer from inside a callback of the first.
  bool busy_ = false;
};

}  // namespace kvz::platform
