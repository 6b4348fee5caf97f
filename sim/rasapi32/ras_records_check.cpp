// Compile-time check that the layouts in ras_records.h match the SDK's own
// records where the SDK header declares them. Kept apart from the exports,
// which must not see <ras.h>'s declarations of the same functions.
#include <ras.h>

#include "ras_records.h"

namespace kvz::sim {

static_assert(sizeof(RasConnV501) == sizeof(RASCONNA));
static_assert(offsetof(RasConnV501, szEntryName) == offsetof(RASCONNA, szEntryName));
static_assert(offsetof(RasConnV501, luid) == offsetof(RASCONNA, luid));
#if _WIN32_WINNT >= 0x0601
static_assert(sizeof(RasDialParamsV601) == sizeof(RASDIALPARAMSA));
#else
static_assert(sizeof(RasDialParamsV401) == sizeof(RASDIALPARAMSA));
#endif
static_assert(offsetof(RasDialParamsV401, szDomain) == offsetof(RASDIALPARAMSA, szDomain));

}  // namespace kvz::sim
