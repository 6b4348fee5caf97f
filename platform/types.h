#pragma once
#include <cstdint>

namespace kvz::platform {

// Opaque handles as the platform hands them out (pointer-sized on Windows).
using WindowHandle = std::uintptr_t;
using RasHandle = std::uintptr_t;

// Show commands of the shell, numerically the Windows values.
inline constexpr int kSwHide = 0;
inline constexpr int kSwShowNormal = 1;

}  // namespace kvz::platform
