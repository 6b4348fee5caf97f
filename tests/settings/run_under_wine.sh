#!/usr/bin/env bash
# Runs one cross-built test program under Wine in a private prefix with the
# GBK code page: run_under_wine.sh [--display] STATE_DIR PROGRAM.exe [ARGS...]
# --display gives the run a private virtual X display (Xvfb) for windows.
# A relative PROGRAM is taken from the Windows test bench build
# ($KVZ_WIN_BUILD of tools/wine-env.sh). STATE_DIR keeps the prefix and the
# generated zh_CN locale between runs.
set -euo pipefail
display=0
if [ "${1:-}" = "--display" ]; then display=1; shift; fi
state="$1"; shift
program="$1"; shift
source "$(dirname "$0")/../../tools/wine-env.sh"
case "$program" in /*) ;; *) program="$KVZ_WIN_BUILD/$program" ;; esac

if [ ! -f "$program" ]; then
  echo "missing $program: build the Windows test bench first ($KVZ_WIN_BUILD)" >&2
  exit 1
fi
mkdir -p "$state"
locales="$state/locale"
if [ ! -d "$locales/zh_CN.UTF-8" ]; then
  mkdir -p "$locales"
  localedef -i zh_CN -f UTF-8 "$locales/zh_CN.UTF-8" 2>/dev/null || true
fi

export WINEPREFIX="$state/prefix"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
xvfb_pid=""
stop_all() {
  "$KVZ_WINESERVER" -k 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
}
trap stop_all EXIT

if [ "$display" = 1 ]; then
  # Xvfb picks a free display number and writes it to the given descriptor.
  fifo="$state/xvfb-display.$$"
  rm -f "$fifo"; mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  xvfb_pid=$!
  read -r -t 20 number <"$fifo" || { echo "Xvfb did not start" >&2; exit 1; }
  rm -f "$fifo"
  export DISPLAY=":$number"
fi

run() { env LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 LOCPATH="$locales" "$@"; }
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  run "$KVZ_WINE" wineboot -i >/dev/null 2>&1
  "$KVZ_WINESERVER" -w 2>/dev/null || true
fi
run "$KVZ_WINE" "$program" "$@"
