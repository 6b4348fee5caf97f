#pragma once
// The RAS records as callers lay them out, one struct per Windows version
// that grew them. Callers say which one they use by its size in dwSize.
// Packed to 4 bytes like the SDK's <ras.h>: on 64-bit Windows the handle of
// RASCONN sits at offset 4 and the oldest RASCONN is 416 bytes.
#include <windows.h>

#include <cstddef>

#include <pshpack4.h>

namespace kvz::sim {

inline constexpr int kMaxEntryName = 256;
inline constexpr int kMaxDeviceType = 16;
inline constexpr int kMaxDeviceName = 128;
inline constexpr int kMaxPhoneNumber = 128;
inline constexpr int kMaxCallbackNumber = 128;
inline constexpr int kUnLen = 256;
inline constexpr int kPwLen = 256;
inline constexpr int kDnLen = 15;

#define KVZ_SIM_RASCONN_V400                 \
  DWORD dwSize;                              \
  HANDLE hrasconn;                           \
  CHAR szEntryName[kMaxEntryName + 1];       \
  CHAR szDeviceType[kMaxDeviceType + 1];     \
  CHAR szDeviceName[kMaxDeviceName + 1]
#define KVZ_SIM_RASCONN_V401 \
  KVZ_SIM_RASCONN_V400;      \
  CHAR szPhonebook[MAX_PATH]; \
  DWORD dwSubEntry
#define KVZ_SIM_RASCONN_V500 \
  KVZ_SIM_RASCONN_V401;      \
  GUID guidEntry
#define KVZ_SIM_RASCONN_V501 \
  KVZ_SIM_RASCONN_V500;      \
  DWORD dwFlags;             \
  LUID luid

struct RasConnV400 { KVZ_SIM_RASCONN_V400; };
struct RasConnV401 { KVZ_SIM_RASCONN_V401; };
struct RasConnV500 { KVZ_SIM_RASCONN_V500; };
struct RasConnV501 { KVZ_SIM_RASCONN_V501; };
struct RasConnV600 { KVZ_SIM_RASCONN_V501; GUID guidCorrelationId; };

#define KVZ_SIM_RASDIALPARAMS_V400               \
  DWORD dwSize;                                  \
  CHAR szEntryName[kMaxEntryName + 1];           \
  CHAR szPhoneNumber[kMaxPhoneNumber + 1];       \
  CHAR szCallbackNumber[kMaxCallbackNumber + 1]; \
  CHAR szUserName[kUnLen + 1];                   \
  CHAR szPassword[kPwLen + 1];                   \
  CHAR szDomain[kDnLen + 1]
#define KVZ_SIM_RASDIALPARAMS_V401 \
  KVZ_SIM_RASDIALPARAMS_V400;      \
  DWORD dwSubEntry;                \
  ULONG_PTR dwCallbackId

struct RasDialParamsV400 { KVZ_SIM_RASDIALPARAMS_V400; };
struct RasDialParamsV401 { KVZ_SIM_RASDIALPARAMS_V401; };
struct RasDialParamsV601 { KVZ_SIM_RASDIALPARAMS_V401; DWORD dwIfIndex; };

#if defined(_WIN64)
static_assert(sizeof(RasConnV400) == 416);
#else
static_assert(sizeof(RasConnV400) == 412);
#endif
static_assert(sizeof(RasDialParamsV400) == 1052);

// The version whose layout has this size ("0x400", ...), or nullptr for a
// size that no version has.
const char* RasConnLayout(DWORD size);
const char* RasDialParamsLayout(DWORD size);

}  // namespace kvz::sim

#include <poppack.h>

namespace kvz::sim {

// The oldest RASCONN laid out without <ras.h>'s packing: a mistake that a
// 64-bit caller makes when it declares the record itself (424 bytes there).
struct RasConnV400Unpacked { KVZ_SIM_RASCONN_V400; };

// A hint for a RASCONN size that no version has, or nullptr.
const char* RasConnSizeHint(DWORD size);

}  // namespace kvz::sim
