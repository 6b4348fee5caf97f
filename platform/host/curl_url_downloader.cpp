#include "platform/host/curl_url_downloader.h"

#include <curl/curl.h>

#include <cstdio>

#include "platform/host/host_path.h"

namespace kvz::platform {

namespace {

struct TransferState {
  IUrlDownloadSink& sink;
  std::FILE* out;
  const std::string& url;
  const bool& abortRequested;
  CURL* curl;
  std::uint64_t received = 0;
  std::uint32_t announcedMax = 0;
  bool bodyBegun = false;
  bool writeFailed = false;

  void BeginBody() {
    if (bodyBegun) return;
    bodyBegun = true;
    sink.OnProgress(0, announcedMax, kBindStatusBeginDownloadData, url);
  }
};

std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* user) {
  auto& state = *static_cast<TransferState*>(user);
  const std::size_t length = size * count;
  const bool endOfHeaders =
      (length == 2 && data[0] == '\r' && data[1] == '\n') || (length == 1 && data[0] == '\n');
  if (!endOfHeaders) return length;
  long status = 0;
  curl_easy_getinfo(state.curl, CURLINFO_RESPONSE_CODE, &status);
  if (status >= 100 && status < 200) return length;  // an interim answer; the real one follows
  curl_off_t announced = -1;
  curl_easy_getinfo(state.curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced);
  std::optional<std::uint64_t> length64;
  if (announced >= 0) length64 = static_cast<std::uint64_t>(announced);
  state.announcedMax = announced >= 0 ? static_cast<std::uint32_t>(announced) : 0;
  state.sink.OnResponse(static_cast<int>(status), length64);
  return length;
}

std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* user) {
  auto& state = *static_cast<TransferState*>(user);
  const std::size_t length = size * count;
  if (state.abortRequested) return 0;
  if (std::fwrite(data, 1, length, state.out) != length) {
    state.writeFailed = true;
    return 0;
  }
  state.received += length;
  state.BeginBody();
  state.sink.OnProgress(static_cast<std::uint32_t>(state.received), state.announcedMax,
                        kBindStatusDownloadingData, state.url);
  // The report may have asked for an abort; stop before the next piece.
  return state.abortRequested ? 0 : length;
}

int OnTransferInfo(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  return static_cast<TransferState*>(user)->abortRequested ? 1 : 0;
}

// URL monikers escape blanks and bytes outside ASCII; libcurl refuses them raw.
std::string EscapeUnsafeBytes(const std::string& url) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string escaped;
  for (char c : url) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte >= 0x7F) {
      escaped += '%';
      escaped += kHex[byte >> 4];
      escaped += kHex[byte & 0x0F];
    } else {
      escaped += c;
    }
  }
  return escaped;
}

}  // namespace

CurlUrlDownloader::CurlUrlDownloader(std::string driveRoot) : driveRoot_(std::move(driveRoot)) {
  curl_global_init(CURL_GLOBAL_DEFAULT);
  curl_ = curl_easy_init();
}

CurlUrlDownloader::~CurlUrlDownloader() {
  if (curl_) curl_easy_cleanup(static_cast<CURL*>(curl_));
  curl_global_cleanup();
}

UrlTransferResult CurlUrlDownloader::Transfer(const std::string& url, const std::string& file,
                                              IUrlDownloadSink& sink) {
  if (busy_) return {};
  abortRequested_ = false;
  std::FILE* out = std::fopen(HostPath(file, driveRoot_).c_str(), "wb");
  if (!out) return {};
  CURL* curl = static_cast<CURL*>(curl_);
  if (!curl) {
    std::fclose(out);
    return {};
  }
  // A reset drops the options of the last transfer but keeps its connections.
  curl_easy_reset(curl);
  TransferState state{sink, out, url, abortRequested_, curl};
  const std::string escapedUrl = EscapeUnsafeBytes(url);
  curl_easy_setopt(curl, CURLOPT_URL, escapedUrl.c_str());
  // Never through a proxy: the transfer goes exactly where the URL points.
  curl_easy_setopt(curl, CURLOPT_NOPROXY, "*");
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 10L);
  curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, 30L);
  // A server that stops sending for a minute ends the transfer as failed.
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, 60L);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_USERAGENT, "KVZ-update");
  curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, &OnHeader);
  curl_easy_setopt(curl, CURLOPT_HEADERDATA, &state);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &OnBody);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &state);
  curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &OnTransferInfo);
  curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &state);
  curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);

  sink.OnStart();
  busy_ = true;
  const CURLcode code = curl_easy_perform(curl);
  busy_ = false;
  const bool closed = std::fclose(out) == 0;

  UrlTransferResult result;
  result.facilitySucceeded = code == CURLE_OK && !state.writeFailed && closed;
  if (closed) result.bytesSaved = state.received;
  if (result.facilitySucceeded) {
    state.BeginBody();
    sink.OnProgress(static_cast<std::uint32_t>(state.received), state.announcedMax,
                    kBindStatusEndDownloadData, url);
  }
  sink.OnStop();
  return result;
}

}  // namespace kvz::platform
