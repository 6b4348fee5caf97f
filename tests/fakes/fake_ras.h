#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/ras_service.h"

namespace kvz::fakes {

// A scripted dial-up service: open connections, the answer to the next dial,
// error texts, and a journal of every call.
class FakeRas : public platform::IRasService {
 public:
  std::vector<platform::RasConnectionRecord> open;  // what enumeration reports
  std::uint32_t enumResult = 0;
  std::uint32_t dialResult = 0;
  platform::RasHandle dialHandle = 0x5151;  // written by Dial (also on failure when set)
  bool writeHandleOnFailure = false;
  std::map<std::uint32_t, std::string> errorTexts;
  std::vector<std::string> journal;
  std::vector<platform::RasDialRequest> dials;
  std::vector<platform::RasHandle> hangUps;
  platform::RasDialNotifyFn lastNotify = nullptr;

  std::uint32_t Dial(const platform::RasDialRequest& request, platform::RasDialNotifyFn notify,
                     platform::RasHandle* connection) override {
    journal.push_back("Dial " + request.entryName);
    dials.push_back(request);
    lastNotify = notify;
    if (dialResult == 0 || writeHandleOnFailure) *connection = dialHandle;
    return dialResult;
  }
  std::uint32_t HangUp(platform::RasHandle connection) override {
    journal.push_back("HangUp");
    hangUps.push_back(connection);
    return 0;
  }
  std::uint32_t EnumConnections(platform::RasConnectionRecord* records, std::size_t capacity,
                                std::uint32_t* count) override {
    journal.push_back("Enum");
    if (enumResult != 0) return enumResult;
    std::size_t n = open.size() < capacity ? open.size() : capacity;
    for (std::size_t i = 0; i < n; ++i) records[i] = open[i];
    *count = static_cast<std::uint32_t>(n);
    return 0;
  }
  std::string ErrorString(std::uint32_t code) override {
    auto it = errorTexts.find(code);
    return it == errorTexts.end() ? std::string() : it->second;
  }
};

}  // namespace kvz::fakes
