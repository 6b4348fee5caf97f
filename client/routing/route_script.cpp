#include "client/routing/route_script.h"

#include "client/routing/route_table.h"

namespace kvz::client {
namespace {

constexpr const char kCrLf[] = "\r\n";
constexpr const char kFirstLine[] = "@echo 请稍候，系统正在为您写入缓存路由...";
constexpr const char kDeleteNetInfoLine[] = "@del c:\\netInfo.tmp";
constexpr const char kDoneLine[] = "@echo 缓存路由写入成功！";
constexpr const char kPauseLine[] = "rem pause";
constexpr const char kDeleteSelfLine[] = "@del c:\\cmd.cmd";
// The extra host goes through the link with a class-C mask, as it always has.
constexpr const char kExtraHostLine[] = "@route ADD 222.173.216.69 Mask 255.255.255.0 ";

void AppendLine(std::string& script, const std::string& line) {
  script += line;
  script += kCrLf;
}

// The 135 table lines and the extra host line; empty for a type without routes.
std::string RouteLines(const std::string& tableVia, const std::string& address) {
  std::string lines;
  for (const RouteEntry& entry : RouteTable()) {
    AppendLine(lines,
               std::string("@route ADD ") + entry.network + " Mask " + entry.mask + " " + tableVia);
  }
  AppendLine(lines, kExtraHostLine + address);
  return lines;
}

}  // namespace

std::string BuildRouteScript(const std::string& gateway, const std::string& address,
                             const std::string& networkType) {
  const bool telecom = networkType == kTelecomNetworkType;
  const bool netcom = !telecom && networkType == kNetcomNetworkType;

  std::string script;
  AppendLine(script, kFirstLine);
  AppendLine(script, kDeleteNetInfoLine);
  if (telecom) {
    AppendLine(script, "@route DELETE 0.0.0.0");
    AppendLine(script, "@route ADD 0.0.0.0 Mask 0.0.0.0 " + gateway);
  }
  if (telecom) script += RouteLines(address, address);
  if (netcom) script += RouteLines(gateway, address);
  // An empty line after the routes (or as the third line when there are none).
  script += kCrLf;
  AppendLine(script, kDoneLine);
  AppendLine(script, kPauseLine);
  script += kDeleteSelfLine;
  return script;
}

}  // namespace kvz::client
