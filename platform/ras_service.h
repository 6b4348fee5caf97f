#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/types.h"

namespace kvz::platform {

// The dial parameters the client fills in; the Windows side lays them out in
// the old 1052-byte RASDIALPARAMS record.
struct RasDialRequest {
  std::string entryName;
  std::string phoneNumber;
  std::string callbackNumber;
  std::string userName;
  std::string password;
  std::string domain;
};

// One open connection as RasEnumConnectionsA reports it (old 412-byte layout).
struct RasConnectionRecord {
  RasHandle handle = 0;
  std::string entryName;
};

// Notifier type 0 (RasDialFunc): message, connection state, error code.
// Called on a thread of the dial-up service.
using RasDialNotifyFn = void (*)(unsigned message, int state, std::uint32_t error);

class IRasService {
 public:
  virtual ~IRasService() = default;
  // RasDialA with the default phone book. 0 means the dial started and
  // *connection holds its handle; otherwise a RAS error code (a handle may
  // still have been written).
  virtual std::uint32_t Dial(const RasDialRequest& request, RasDialNotifyFn notify,
                             RasHandle* connection) = 0;
  virtual std::uint32_t HangUp(RasHandle connection) = 0;
  // RasEnumConnectionsA into `capacity` records; *count is written by the
  // service (and left alone where it leaves it alone). Non-zero is an error.
  virtual std::uint32_t EnumConnections(RasConnectionRecord* records, std::size_t capacity,
                                        std::uint32_t* count) = 0;
  // RasGetErrorStringA with a 256-byte buffer; empty when the service has no text.
  virtual std::string ErrorString(std::uint32_t code) = 0;
};

}  // namespace kvz::platform
