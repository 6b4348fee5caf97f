#pragma once
#include "platform/ras_service.h"

namespace kvz::platform::win32 {

// IRasService on rasapi32, with the oldest record layouts (RASCONN of 412
// bytes, RASDIALPARAMS of 1052 bytes on 32-bit Windows).
class Win32RasService : public IRasService {
 public:
  std::uint32_t Dial(const RasDialRequest& request, RasDialNotifyFn notify,
                     RasHandle* connection) override;
  std::uint32_t HangUp(RasHandle connection) override;
  std::uint32_t EnumConnections(RasConnectionRecord* records, std::size_t capacity,
                                std::uint32_t* count) override;
  std::string ErrorString(std::uint32_t code) override;
};

}  // namespace kvz::platform::win32
