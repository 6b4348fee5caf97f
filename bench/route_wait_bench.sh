#!/usr/bin/env bash
# Runs the route-wait benchmark with the real capture script in Wine: a Wine
# prefix of its own with our ipconfig and findstr stand-ins, then
# build/native/bench/route_wait_bench --wine. Builds nothing: build the
# native and the Windows programs first (tools/test-all.sh does both).
#
#   bench/route_wait_bench.sh [REPEATS]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
unset DISPLAY
source "$root/tools/wine-prefix.sh"
bench="$root/build/native/bench/route_wait_bench"
[ -x "$bench" ] || { echo "no $bench: build the native preset first" >&2; exit 1; }
trap kvz_prefix_close EXIT
kvz_prefix_open "$root/build/bench-routing"
kvz_sim_install
rm -f "$WINEPREFIX/drive_c/cmd.cmd" "$WINEPREFIX/drive_c/netInfo.tmp"
"$bench" --wine "${1:-3}"
