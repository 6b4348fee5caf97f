#!/usr/bin/env bash
# End-to-end cases of split routing under Wine: the real KVZClient.exe with
# the simulated dial-up service, and our ipconfig, findstr and route
# stand-ins in the prefix's system32. One case per call:
#
#   tests/e2e/routing/run_routing_e2e.sh CASE     (case names: --list)
#
# Shares the prefix of the end-to-end suite (build/e2e/prefix; made when
# missing). Every wait is bounded; the EXIT trap ends every Wine process.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
unset DISPLAY
source "$here/../../../tools/wine-prefix.sh"
E2E_BASE="$kvz_root/build/e2e"
# The client cases bring the connect script and the window's texts.
source "$here/../cases_client.sh"
source "$here/cases_routing.sh"

trap kvz_prefix_close EXIT
case "${1:-}" in
  --list)
    declare -F | sed -n 's/^declare -f case_\(routing_\)/\1/p'
    ;;
  "")
    echo "usage: $0 --list | CASE" >&2
    exit 2
    ;;
  *)
    [[ "$1" == routing_* ]] && declare -F "case_$1" >/dev/null || { echo "no case $1 (see --list)" >&2; exit 2; }
    [ -f "$KVZ_WIN_BUILD/tests/e2e/kvz_driver.exe" ] ||
      { echo "FAIL: no Windows build in $KVZ_WIN_BUILD" >&2; exit 1; }
    [ -f "$KVZ_WIN_BUILD/sim/routing/route.exe" ] ||
      { echo "FAIL: no routing stand-ins in $KVZ_WIN_BUILD/sim/routing" >&2; exit 1; }
    kvz_prefix_open "$E2E_BASE"
    source "$here/../lib.sh"
    kvz_sim_install
    rm -rf "$E2E_BASE/run/routing_$1" && kvz_run_dir "$E2E_BASE/run/routing_$1"
    "case_$1"
    echo "PASS: $1"
    ;;
esac
