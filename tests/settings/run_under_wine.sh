#!/usr/bin/env bash
# Runs one cross-built test program under Wine in a private prefix with the
# GBK code page: run_under_wine.sh STATE_DIR PROGRAM.exe [ARGS...]
# A relative PROGRAM is taken from the Windows test bench build
# ($KVZ_WIN_BUILD of tools/wine-env.sh). STATE_DIR keeps the prefix and the
# generated zh_CN locale between runs.
set -euo pipefail
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
stop_prefix() { "$KVZ_WINESERVER" -k 2>/dev/null || true; }
trap stop_prefix EXIT

run() { env LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 LOCPATH="$locales" "$@"; }
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  run "$KVZ_WINE" wineboot -i >/dev/null 2>&1
  "$KVZ_WINESERVER" -w 2>/dev/null || true
fi
run "$KVZ_WINE" "$program" "$@"
