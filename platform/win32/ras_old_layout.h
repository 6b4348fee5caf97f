#pragma once
// The RAS records in the SDK's oldest layouts, which every RAS version still
// accepts. MinGW-w64's <ras.h> only declares the newer, larger records, so the
// two the client uses are declared here from their fields.
#include <windows.h>

// The SDK packs every RAS record to 4 bytes; on 64-bit this decides the size.
#include <pshpack4.h>

namespace kvz::platform::win32 {

inline constexpr int kRasMaxEntryName = 256;
inline constexpr int kRasMaxDeviceType = 16;
inline constexpr int kRasMaxDeviceName = 128;
inline constexpr int kRasMaxPhoneNumber = 128;
inline constexpr int kRasMaxCallbackNumber = 128;
inline constexpr int kUnLen = 256;
inline constexpr int kPwLen = 256;
inline constexpr int kDnLen = 15;

using HRASCONN_OLD = HANDLE;

struct RasConnOld {
  DWORD dwSize;
  HRASCONN_OLD hrasconn;
  CHAR szEntryName[kRasMaxEntryName + 1];
  CHAR szDeviceType[kRasMaxDeviceType + 1];
  CHAR szDeviceName[kRasMaxDeviceName + 1];
};

struct RasDialParamsOld {
  DWORD dwSize;
  CHAR szEntryName[kRasMaxEntryName + 1];
  CHAR szPhoneNumber[kRasMaxPhoneNumber + 1];
  CHAR szCallbackNumber[kRasMaxCallbackNumber + 1];
  CHAR szUserName[kUnLen + 1];
  CHAR szPassword[kPwLen + 1];
  CHAR szDomain[kDnLen + 1];
};

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(RasConnOld) == 412, "RASCONN of the 412-byte layout");
static_assert(sizeof(RasDialParamsOld) == 1052, "RASDIALPARAMS of the 1052-byte layout");
#endif

// The sizes the 32-bit records carry in dwSize; a 64-bit build (the Wine test
// bench only) uses its own natural sizes.
inline constexpr DWORD kRasConnOldSize = sizeof(RasConnOld);
inline constexpr DWORD kRasDialParamsOldSize = sizeof(RasDialParamsOld);
inline constexpr int kOldConnectionCapacity = 11;

}  // namespace kvz::platform::win32

#include <poppack.h>
