#!/usr/bin/env bash
# End-to-end cases under Wine and Xvfb, one per call:
#
#   tests/e2e/run_e2e.sh --setup      make the suite's Wine prefix afresh
#   tests/e2e/run_e2e.sh CASE         run one case (case names: --list)
#   tests/e2e/run_e2e.sh --cleanup    end whatever still runs in the prefix
#
# The programs come from the Windows build in $KVZ_WIN_BUILD (tools/wine-env.sh).
# Each case runs on an Xvfb display of its own (a DISPLAY from outside is not
# used) and ends every process it started, also when it fails.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
unset DISPLAY
source "$here/../../tools/wine-prefix.sh"
E2E_BASE="$kvz_root/build/e2e"

e2e_cases() { declare -F | sed -n 's/^declare -f case_//p'; }

source "$here/cases_sim.sh"
source "$here/cases_client.sh"
source "$here/cases_first_start.sh"

trap kvz_prefix_close EXIT
case "${1:-}" in
  --setup)
    rm -f "$E2E_BASE/prefix/.kvz-ready"
    kvz_prefix_open "$E2E_BASE"
    ;;
  --cleanup)
    export WINEPREFIX="$E2E_BASE/prefix"
    kvz_stale_xvfb_kill
    ;;
  --list)
    e2e_cases
    ;;
  "")
    echo "usage: $0 --setup | --cleanup | --list | CASE" >&2
    exit 2
    ;;
  *)
    declare -F "case_$1" >/dev/null || { echo "no case $1 (see --list)" >&2; exit 2; }
    [ -f "$KVZ_WIN_BUILD/tests/e2e/kvz_driver.exe" ] ||
      { echo "FAIL: no Windows build in $KVZ_WIN_BUILD" >&2; exit 1; }
    kvz_prefix_open "$E2E_BASE"
    source "$here/lib.sh"
    kvz_sim_install
    rm -rf "$E2E_BASE/run/$1" && kvz_run_dir "$E2E_BASE/run/$1"
    "case_$1"
    echo "PASS: $1"
    ;;
esac
