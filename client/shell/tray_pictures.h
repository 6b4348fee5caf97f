#pragma once
#include <array>

namespace kvz::client {

// Resource names of the tray icon's three 16 x 16 pictures, in animation order.
inline constexpr std::array<const char*, 3> kTrayPictures{"TRAY0", "TRAY1", "TRAY2"};

}  // namespace kvz::client
