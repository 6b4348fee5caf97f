#!/usr/bin/env bash
# Builds everything (native core, the shipped 32-bit programs, and the Wine
# test bench build) and runs every test: unit, contract and end-to-end.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

tools/setup-deps.sh
source tools/wine-env.sh
jobs="$(nproc)"

cmake --preset native -DKVZ_WERROR=ON >/dev/null
cmake --preset win32 -DKVZ_WERROR=ON >/dev/null
cmake --build --preset win32 -j "$jobs"
if [ "$KVZ_WINE_ARCH" = win64 ]; then
  echo "This kernel does not run 32-bit code: the Wine tests use the 64-bit build." >&2
  cmake --preset win64 -DKVZ_WERROR=ON >/dev/null
  cmake --build --preset win64 -j "$jobs"
fi
cmake --build --preset native -j "$jobs"
tools/check-layout.sh

# The portable core once more under the address and undefined-behaviour
# sanitizers (the Wine suites are left out of this build).
cmake --preset asan -DKVZ_WERROR=ON >/dev/null
cmake --build --preset asan -j "$jobs"
ctest --preset asan -j "$jobs"

ctest --preset native -j "$jobs"
