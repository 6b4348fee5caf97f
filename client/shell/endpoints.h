#pragma once
// The service's web endpoints. The host names are the deployment's and live
// here only; the paths and ports are the servers' contract.
namespace kvz::client::endpoints {

inline constexpr const char* kNewsHost = "news.tovan.example";
inline constexpr const char* kMediaHost = "media.tovan.example";
inline constexpr const char* kMainWebServer = "www.tovan.example";
inline constexpr const char* kNetcomWebServer = "cnc.tovan.example";

inline constexpr const char* kNewsPath = "/user_news.htm";
inline constexpr const char* kMediaPath = "/WebMedia/oemui/vod/left_new.asp";
inline constexpr const char* kAdvertisementPath = "/showG.html";
inline constexpr const char* kAccountPath = "/reg.php";
inline constexpr int kWebServerPort = 8080;

// The phone-book entry the client dials.
inline constexpr const char* kEntryName = "ZORuda";

}  // namespace kvz::client::endpoints
