#pragma once
#include <span>

namespace kvz::client {

// One network of the fixed route table, in dotted-decimal text.
struct RouteEntry {
  const char* network;
  const char* mask;
};

// The 135 networks that the route script steers, in the order it writes them.
std::span<const RouteEntry> RouteTable();

}  // namespace kvz::client
