#pragma once
#include <string>

#include "client/settings/settings_keys.h"

namespace kvz::client {

// The local network types that choose a route script with routes in it.
// Every other text (in practice "内部网络") gives a script with no route.
inline constexpr const auto& kTelecomNetworkType = settings::kTelecomNetwork;
inline constexpr const auto& kNetcomNetworkType = settings::kNetcomNetwork;

// The route script for the local gateway and the dial-up link's own address:
// "电信网络" sends the table and the extra host through the link and points the
// default route at the gateway; "网通网络" sends the table through the gateway
// and the extra host through the link. Lines end in CR LF, the last one in
// nothing. Values stand in the lines exactly as given.
std::string BuildRouteScript(const std::string& gateway, const std::string& address,
                             const std::string& networkType);

}  // namespace kvz::client
