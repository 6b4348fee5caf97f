#!/usr/bin/env bash
# Builds the Windows programs and starts KVZClient.exe under Wine with the
# simulated dial-up service ("ZORuda" connects after the usual progress).
#
#   tools/run-client.sh [--keep] [--first-start] [--scenario NAME|FILE] [--client-dir DIR]
#
# With a DISPLAY the client opens there and keeps running. Without one it
# runs on a new Xvfb display: the script waits for the main window, saves a
# screenshot to build/screenshots/client.png, prints its path and ends the
# client (--keep leaves it and the Xvfb display running).
# --client-dir runs the programs of another folder laid out like dist/.
# --first-start removes KVZClient.ini first, so Connect leads through the
# message and setForm.exe before the dial. Without a DISPLAY the script walks
# that path with the test driver and saves build/screenshots/first-start-N.png
# per step.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

keep=0
first_start=0
scenario=default
while [ $# -gt 0 ]; do
  case "$1" in
    --keep) keep=1 ;;
    --first-start) first_start=1 ;;
    --scenario) scenario="$2"; shift ;;
    --client-dir) export KVZ_CLIENT_DIST="$(realpath "$2")"; shift ;;
    *) echo "usage: $0 [--keep] [--first-start] [--scenario NAME|FILE] [--client-dir DIR]" >&2; exit 2 ;;
  esac
  shift
done

tools/setup-deps.sh
source tools/wine-env.sh
jobs="$(nproc)"
# The shipped 32-bit build always; Wine runs the 64-bit one where the kernel
# cannot run 32-bit code.
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$jobs"
if [ "$KVZ_WINE_ARCH" = win64 ]; then
  cmake --preset win64 >/dev/null
  cmake --build --preset win64 -j "$jobs"
fi

own_display=0
[ -n "${DISPLAY:-}" ] || own_display=1
source tools/wine-prefix.sh
base="$root/build/wine/client"
trap 'kvz_prefix_close' EXIT
kvz_prefix_open "$base"
kvz_sim_install
kvz_sim_scenario "$scenario"

dist="$(kvz_dist_dir)"
[ -f "$dist/KVZClient.exe" ] || { echo "No KVZClient.exe in $dist." >&2; exit 1; }
client_dir="$WINEPREFIX/drive_c/KVZ"
mkdir -p "$client_dir"
cp -r "$dist/." "$client_dir/"
# A first start needs the local network type that the setup program would
# store; "内部网络" sets no routes. An existing settings file is kept, except
# that --first-start shows the path of a new user who has none.
if [ "$first_start" -eq 1 ]; then
  rm -f "$client_dir/KVZClient.ini"
elif [ ! -f "$client_dir/KVZClient.ini" ]; then
  printf '[KVZ Client]\r\nactStr=内部网络\r\n' | iconv -f UTF-8 -t GBK >"$client_dir/KVZClient.ini"
fi

echo "Starting C:\\KVZ\\KVZClient.exe (prefix $WINEPREFIX, display $DISPLAY)"
echo "Dial-up journal: $KVZ_SIM_JOURNAL_FILE"
start_client() {
  (cd "$client_dir" && exec env "${KVZ_LOCALE_ENV[@]}" "$KVZ_WINE" 'C:\KVZ\KVZClient.exe') \
    >>"$KVZ_RUN_DIR/client.out" 2>&1 &
}
start_client

stop_hint="WINEPREFIX=$WINEPREFIX $KVZ_WINESERVER -k"
if [ "$own_display" -eq 0 ]; then
  trap - EXIT
  echo "The client runs on $DISPLAY. To end it: $stop_hint"
  exit 0
fi

driver="$(kvz_winpath "$KVZ_WIN_BUILD/tests/e2e/kvz_driver.exe")"
if [ "$first_start" -eq 1 ]; then
  source tools/first-start-walk.sh
  first_start_walk "$driver" "$root/build/screenshots" ||
    { echo "See $KVZ_RUN_DIR/client.out." >&2; exit 1; }
  if [ "$keep" -eq 1 ]; then
    trap - EXIT
    echo "The client keeps running on the Xvfb display $DISPLAY (pid $KVZ_XVFB_PID)."
    echo "To end it: $stop_hint; kill $KVZ_XVFB_PID"
  fi
  exit 0
fi
rect="$(env "${KVZ_LOCALE_ENV[@]}" timeout 90 "$KVZ_WINE" "$driver" -c \
  'window class=TRasDialerForm title~=Tovan网络加速登陆器 visible=1 timeout=60000' \
  'repaint' 'print window-rect' | sed -n 's/^window-rect: //p' | tr -d '\r')" || true
[ -n "$rect" ] || { echo "The main window did not come up (see $KVZ_RUN_DIR/client.out)." >&2; exit 1; }
mkdir -p build/screenshots
import -display "$DISPLAY" -window root build/screenshots/client.png
echo "Screenshot: $root/build/screenshots/client.png"
if [ "$keep" -eq 1 ]; then
  trap - EXIT
  echo "The client keeps running on the Xvfb display $DISPLAY (pid $KVZ_XVFB_PID)."
  echo "To end it: $stop_hint; kill $KVZ_XVFB_PID"
fi
