#pragma once
#include <cstdint>
#include <string>

namespace kvz::updater {

// floor(progress / max * 100) in double precision, division first; 0 when
// max is 0. Not clamped to 0..100; only held inside the 32-bit range.
std::int32_t ProgressPercent(std::int32_t progress, std::int32_t max);

// "下载进度：" + percent + "%".
std::string ProgressText(std::int32_t percent);

}  // namespace kvz::updater
