#include "updater/progress_text.h"

#include <cmath>
#include <limits>

#include "updater/update_texts.h"

namespace kvz::updater {

std::int32_t ProgressPercent(std::int32_t progress, std::int32_t max) {
  if (max == 0) return 0;
  const double percent =
      std::floor(static_cast<double>(progress) / static_cast<double>(max) * 100.0);
  // A wild report (progress far above its total) must not overflow the
  // conversion; hold it at the ends of the 32-bit range instead.
  if (percent >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
    return std::numeric_limits<std::int32_t>::max();
  if (percent <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
    return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(percent);
}

std::string ProgressText(std::int32_t percent) {
  return std::string(kDownloadProgressPrefix) + std::to_string(percent) + "%";
}

}  // namespace kvz::updater
