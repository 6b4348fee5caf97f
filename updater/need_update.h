#pragma once
#include <string>
#include <vector>

namespace kvz::updater {

// Splits at every "."; empty text gives no components, "1..2" gives three.
std::vector<std::string> SplitVersion(const std::string& version);

// True when some component of `server` compares greater, as bytes, than the
// installed component at the same place. Only the installed version's places
// are looked at; a place the server version lacks counts as not greater.
bool NeedUpdate(const std::string& installed, const std::string& server);

}  // namespace kvz::updater
