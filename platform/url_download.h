#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace kvz::platform {

// Receives the events of one transfer, always on the thread that called
// IUrlDownloader::Transfer and before Transfer returns.
class IUrlDownloadSink {
 public:
  virtual ~IUrlDownloadSink() = default;
  // The transfer has begun; Abort can take effect from now until OnStop.
  virtual void OnStart() = 0;
  // One progress report: running count, total (0 when none is known), a
  // binding-status code and its text (empty when the facility gives none).
  virtual void OnProgress(std::uint32_t progress, std::uint32_t progressMax,
                          std::uint32_t statusCode, const std::string& statusText) = 0;
  // The server's answer: HTTP status code (0 when no answer came) and the
  // body length it announced (none when it announced none, or announced it
  // for an encoded body). May come more than once (redirects); the last one
  // describes the body. Not called when the facility saw no HTTP answer.
  virtual void OnResponse(int httpStatus, std::optional<std::uint64_t> announcedLength) = 0;
  // The transfer has ended, successfully or not.
  virtual void OnStop() = 0;
};

struct UrlTransferResult {
  // The facility's own verdict (S_OK for URL monikers).
  bool facilitySucceeded = false;
  // Bytes the target file holds after the transfer; none when there is no
  // such file (or its size cannot be told).
  std::optional<std::uint64_t> bytesSaved;
};

// A URL-to-file facility. Binding-status codes are the Windows SDK's
// BINDSTATUS values; 14 carries the path of the transfer's cached copy and
// is reported only by a facility that keeps a cache.
class IUrlDownloader {
 public:
  virtual ~IUrlDownloader() = default;
  // Fetches `url` into the file `file`; blocks until the transfer has ended.
  // Neither creates folders nor removes a partial file.
  virtual UrlTransferResult Transfer(const std::string& url, const std::string& file,
                                     IUrlDownloadSink& sink) = 0;
  // Ends the running transfer; effective only from inside a sink call.
  virtual void Abort() = 0;
};

// Binding-status codes the core refers to.
inline constexpr std::uint32_t kBindStatusBeginDownloadData = 4;
inline constexpr std::uint32_t kBindStatusDownloadingData = 5;
inline constexpr std::uint32_t kBindStatusEndDownloadData = 6;
inline constexpr std::uint32_t kBindStatusCacheFileNameAvailable = 14;

}  // namespace kvz::platform
