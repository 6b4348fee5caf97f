# Sourced by the scripts that run our Windows programs under Wine: a private
# Wine prefix with code page 936, the simulated dial-up service, a recording
# browser, and a virtual X display when there is no display.
#
#   source tools/wine-prefix.sh
#   kvz_prefix_open PREFIX-DIR     create (or reuse) the prefix, start Xvfb if needed
#   kvz_sim_install                put the simulated rasapi32.dll into the prefix
#   kvz_wine PROGRAM ARGS...       run a Windows program with the locale set
#   kvz_prefix_close               end the prefix's processes and our Xvfb
#
# After kvz_prefix_open: WINEPREFIX, DISPLAY, KVZ_RUN_DIR (journals, logs),
# KVZ_BROWSER_JOURNAL (URLs opened through the shell, one per line),
# KVZ_SIM_JOURNAL (Windows path of the dial-up journal; unix path in
# KVZ_SIM_JOURNAL_FILE), KVZ_SIM_ROUTE_JOURNAL (route commands run).

# shellcheck source=tools/wine-env.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

KVZ_LOCALE_DIR="$kvz_root/build/locale"
KVZ_XVFB_PID=""
KVZ_WINESERVER_PID=""
# No Mono/Gecko installers, no menu entries on the host, and our stand-ins in
# place of Wine's rasapi32, ipconfig and findstr (see kvz_sim_install).
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;rasapi32=n;ipconfig.exe,findstr.exe=n"
# Wine leaves the unix side in this locale; generated below because Debian
# ships no compiled zh_CN locale.
KVZ_LOCALE_ENV=(LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 "LOCPATH=$KVZ_LOCALE_DIR")

kvz_log() { echo "[wine-prefix] $*" >&2; }

# Z:\path\of\a\unix\file (Wine maps drive Z: to /).
kvz_winpath() {
  local p
  p="$(realpath -m "$1")"
  printf 'Z:%s' "${p//\//\\}"
}

kvz_wine() { env "${KVZ_LOCALE_ENV[@]}" "$KVZ_WINE" "$@"; }

kvz_locale_ensure() {
  [ -d "$KVZ_LOCALE_DIR/zh_CN.UTF-8" ] && return 0
  mkdir -p "$KVZ_LOCALE_DIR"
  # localedef exits 1 on mere warnings; the check below is what counts.
  localedef -i zh_CN -f UTF-8 "$KVZ_LOCALE_DIR/zh_CN.UTF-8" >/dev/null 2>&1 || true
  [ -d "$KVZ_LOCALE_DIR/zh_CN.UTF-8" ] || { kvz_log "localedef failed"; return 1; }
}

# Starts Xvfb on a display it picks itself (-displayfd) and waits, bounded,
# until it is ready.
kvz_xvfb_start() {
  local fifo="$KVZ_RUN_DIR/xvfb.displayfd" display=""
  rm -f "$fifo" && mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$fifo" \
    >"$KVZ_RUN_DIR/xvfb.log" 2>&1 &
  KVZ_XVFB_PID=$!
  read -r -t 20 display <"$fifo" || true
  rm -f "$fifo"
  if [ -z "$display" ]; then
    kvz_log "Xvfb did not start (see $KVZ_RUN_DIR/xvfb.log)"
    kill "$KVZ_XVFB_PID" 2>/dev/null || true
    KVZ_XVFB_PID=""
    return 1
  fi
  export DISPLAY=":$display"
  # Recorded beside the prefix, so a run killed without its traps can still
  # be cleaned up afterwards (kvz_stale_xvfb_kill).
  echo "$KVZ_XVFB_PID" >"$(dirname "$WINEPREFIX")/xvfb.pid"
  kvz_log "Xvfb on $DISPLAY (pid $KVZ_XVFB_PID)"
}

# Ends what a killed run of this prefix left behind: its programs and its Xvfb.
kvz_stale_xvfb_kill() {
  local file pid
  file="$(dirname "$WINEPREFIX")/xvfb.pid"
  [ -f "$file" ] || return 0
  [ -d "$WINEPREFIX" ] && "$KVZ_WINESERVER" -k >/dev/null 2>&1 || true
  pid="$(cat "$file")"
  if [ -n "$pid" ] && [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = Xvfb ]; then
    kill "$pid" 2>/dev/null || true
  fi
  rm -f "$file"
}

# The shell's "open URL" runs winebrowser, which starts the first program in
# this registry value: our recorder, so nothing opens a real browser.
kvz_browser_recorder() {
  local recorder="$WINEPREFIX/../record-url.sh"
  cat >"$recorder" <<'EOF'
#!/bin/sh
# Stands in for the web browser: records the URL it was asked to open.
printf '%s\n' "$*" >>"${KVZ_BROWSER_JOURNAL:-/dev/null}"
EOF
  chmod +x "$recorder"
  kvz_wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$(realpath "$recorder")" /f \
    >/dev/null 2>&1
}

# kvz_run_dir DIR: where the journals and logs of the next runs go.
kvz_run_dir() {
  mkdir -p "$1"
  KVZ_RUN_DIR="$(realpath "$1")"
  export KVZ_BROWSER_JOURNAL="$KVZ_RUN_DIR/browser.log"
  export KVZ_SIM_JOURNAL_FILE="$KVZ_RUN_DIR/ras-journal.log"
  export KVZ_SIM_JOURNAL KVZ_SIM_ROUTE_JOURNAL
  KVZ_SIM_JOURNAL="$(kvz_winpath "$KVZ_SIM_JOURNAL_FILE")"
  KVZ_SIM_ROUTE_JOURNAL="$(kvz_winpath "$KVZ_RUN_DIR/route-journal.log")"
}

# kvz_prefix_open DIR: DIR/prefix is the Wine prefix, DIR/run the run files.
# A prefix that was not finished completely is made afresh.
kvz_prefix_open() {
  local base="$1"
  kvz_run_dir "$base/run"
  export WINEPREFIX
  WINEPREFIX="$(realpath -m "$base/prefix")"
  kvz_stale_xvfb_kill
  kvz_locale_ensure || return 1
  if [ -z "${DISPLAY:-}" ]; then kvz_xvfb_start || return 1; fi
  if [ ! -f "$WINEPREFIX/.kvz-ready" ]; then
    kvz_log "creating the Wine prefix $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    kvz_wine wineboot -i >"$KVZ_RUN_DIR/wineboot.log" 2>&1 || { kvz_log "wineboot failed"; return 1; }
    kvz_browser_recorder || { kvz_log "registry setup failed"; return 1; }
    touch "$WINEPREFIX/.kvz-ready"
  fi
  # One server for the whole session: without it every program start after a
  # pause of three seconds would pay for starting Wine's services again.
  if [ -z "$KVZ_WINESERVER_PID" ]; then
    "$KVZ_WINESERVER" -f -p >/dev/null 2>&1 &
    KVZ_WINESERVER_PID=$!
  fi
}

# The simulated dial-up service goes where Windows keeps rasapi32.dll (the
# prefix's system32 holds the DLLs of the architecture Wine runs); with
# rasapi32=n Wine loads it instead of its own. KVZ_SIM_SCENARIO chooses the
# scenario (Windows path); without it the DLL reads rasapi32-scenario.ini
# beside itself. The stand-ins of ipconfig, findstr and route go there too.
kvz_sim_install() {
  local sim="$KVZ_WIN_BUILD/sim" system32="$WINEPREFIX/drive_c/windows/system32" tool
  [ -f "$sim/rasapi32.dll" ] || { kvz_log "missing $sim/rasapi32.dll (build $KVZ_WIN_BUILD first)"; return 1; }
  cp "$sim/rasapi32.dll" "$sim/rasapi32-scenario.ini" "$system32/"
  for tool in ipconfig findstr route; do
    [ -f "$sim/routing/$tool.exe" ] && cp "$sim/routing/$tool.exe" "$system32/"
  done
  return 0
}

# kvz_sim_scenario NAME|FILE: the scenario for the programs started from now on.
kvz_sim_scenario() {
  local file="$1"
  [ -f "$file" ] || file="$KVZ_WIN_BUILD/sim/scenarios/$1.ini"
  [ -f "$file" ] || { kvz_log "no scenario $1"; return 1; }
  export KVZ_SIM_SCENARIO
  KVZ_SIM_SCENARIO="$(kvz_winpath "$file")"
}

# The folder of the shipped files that the Windows build in KVZ_WIN_BUILD
# made, or KVZ_CLIENT_DIST when set (any folder laid out like dist/).
kvz_dist_dir() {
  if [ -n "${KVZ_CLIENT_DIST:-}" ]; then
    printf '%s' "$KVZ_CLIENT_DIST"
    return
  fi
  local dir
  dir="$(sed -n 's/^KVZ_DIST_DIR:PATH=//p' "$KVZ_WIN_BUILD/CMakeCache.txt" 2>/dev/null)"
  printf '%s' "${dir:-$KVZ_WIN_BUILD/dist}"
}

# Ends every process of the prefix and the Xvfb started here. Safe to call
# more than once and from a trap.
kvz_prefix_close() {
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    "$KVZ_WINESERVER" -k >/dev/null 2>&1 || true
    timeout 20 "$KVZ_WINESERVER" -w >/dev/null 2>&1 || true
  fi
  if [ -n "$KVZ_WINESERVER_PID" ]; then
    kill "$KVZ_WINESERVER_PID" 2>/dev/null || true
    wait "$KVZ_WINESERVER_PID" 2>/dev/null || true
    KVZ_WINESERVER_PID=""
  fi
  if [ -n "$KVZ_XVFB_PID" ]; then
    kill "$KVZ_XVFB_PID" 2>/dev/null || true
    wait "$KVZ_XVFB_PID" 2>/dev/null || true
    KVZ_XVFB_PID=""
    rm -f "$(dirname "$WINEPREFIX")/xvfb.pid"
  fi
}
