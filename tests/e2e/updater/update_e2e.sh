#!/usr/bin/env bash
# The real update.exe under Wine with URL monikers, against the loopback test
# server, with a stand-in KVZClient.exe that journals its start.
#
#   update_e2e.sh --setup      make the Wine prefix (once per test run)
#   update_e2e.sh CASE         run one case (see the case_* functions)
#   update_e2e.sh --cleanup    end the prefix's processes
#
# KVZ_UPDATE_E2E_WORK names the work folder (prefix, locale, case folders).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../../.." && pwd)"
# shellcheck source=tools/wine-env.sh
source "$root/tools/wine-env.sh"

work="${KVZ_UPDATE_E2E_WORK:?KVZ_UPDATE_E2E_WORK names the work folder}"
mkdir -p "$work"
work="$(realpath "$work")"
export WINEPREFIX="$work/prefix"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
locale_dir="$work/locale"
locale_env=(LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 "LOCPATH=$locale_dir")
server_script="$root/tests/updater/loopback_http_server.py"
app="$WINEPREFIX/drive_c/kvz"

fail() { echo "FAIL: $*" >&2; exit 1; }
note() { echo "[update-e2e] $*" >&2; }
wine_run() { env "${locale_env[@]}" "$KVZ_WINE" "$@"; }

# The shipped folder of the Windows build that Wine runs.
dist_dir() {
  local dir
  dir="$(sed -n 's/^KVZ_DIST_DIR:PATH=//p' "$KVZ_WIN_BUILD/CMakeCache.txt" 2>/dev/null || true)"
  printf '%s' "${dir:-$KVZ_WIN_BUILD/dist}"
}
update_exe="$(dist_dir)/update.exe"
standin_exe="$KVZ_WIN_BUILD/tests/e2e/updater/kvz_client_standin.exe"
window_check_exe="$KVZ_WIN_BUILD/tests/e2e/updater/update_window_check.exe"

setup() {
  [ -f "$update_exe" ] || fail "no $update_exe: build the Windows programs first"
  [ -f "$standin_exe" ] || fail "no $standin_exe: build the Windows programs first"
  if [ ! -d "$locale_dir/zh_CN.UTF-8" ]; then
    mkdir -p "$locale_dir"
    # localedef exits non-zero on mere warnings; the folder is what counts.
    localedef -i zh_CN -f UTF-8 "$locale_dir/zh_CN.UTF-8" >/dev/null 2>&1 || true
    [ -d "$locale_dir/zh_CN.UTF-8" ] || fail "localedef could not make zh_CN.UTF-8"
  fi
  cleanup
  rm -rf "$WINEPREFIX"
  wine_run wineboot -i >"$work/wineboot.log" 2>&1 || fail "wineboot failed (see $work/wineboot.log)"
  # The null display driver: windows are created and measured, nothing is
  # drawn, and no X server is needed.
  wine_run reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1 ||
    fail "could not choose the null display driver"
}

cleanup() {
  if [ -d "$WINEPREFIX" ]; then
    "$KVZ_WINESERVER" -k >/dev/null 2>&1 || true
    timeout 20 "$KVZ_WINESERVER" -w >/dev/null 2>&1 || true
  fi
}

# ---- one case's world: server files, the server, the installed updater ----

case_dir=""
server_pid=""
port=""

stop_server() {
  if [ -n "$server_pid" ]; then
    kill "$server_pid" 2>/dev/null || true
    wait "$server_pid" 2>/dev/null || true
    server_pid=""
  fi
}
trap stop_server EXIT

start_server() {
  rm -f "$case_dir/port" "$case_dir/requests.log"
  python3 "$server_script" --root "$case_dir/www" --faults "$case_dir/faults.json" \
    --log "$case_dir/requests.log" --port-file "$case_dir/port" >/dev/null &
  server_pid=$!
  wait_for "the test server's port" test -s "$case_dir/port"
  port="$(cat "$case_dir/port")"
}

# wait_for WHAT COMMAND...: polls until COMMAND succeeds, at most 30 s.
wait_for() {
  local what="$1" tries=300
  shift
  until "$@"; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || fail "timed out waiting for $what"
    sleep 0.1
  done
}

new_case() {
  case_dir="$work/cases/$1"
  rm -rf "$case_dir"
  mkdir -p "$case_dir/www/update" "$case_dir/www/soft"
  echo '{}' >"$case_dir/faults.json"
  start_server
  rm -rf "$app"
  mkdir -p "$app/update"
  cp "$update_exe" "$app/update.exe"
  cp "$standin_exe" "$app/KVZClient.exe"
  printf 'a 1.0' >"$app/a.dll"
  printf 'b 1.0' >"$app/b.dll"
  write_config "1.0" "http://127.0.0.1:$port/" ""
}

write_config() {
  printf '[soft]\r\nversion=%s\r\nupdateURL=%s\r\ncacheName=%s\r\n' "$1" "$2" "$3" >"$app/config.ini"
}

# publish NAME BYTES-FILE | publish_text NAME TEXT: a file below soft/.
publish() { cp "$2" "$case_dir/www/soft/$1"; }
publish_text() { printf '%s' "$2" >"$case_dir/www/soft/$1"; }
manifest() { printf "$1" >"$case_dir/www/update/soft.html"; }
fault() { printf '{"%s": "%s"}' "$1" "$2" >"$case_dir/faults.json"; }

# A newer client: the stand-in with bytes after its image, which Windows ignores.
newer_client() {
  cp "$standin_exe" "$case_dir/newer-client.exe"
  printf 'KVZClient 1.1' >>"$case_dir/newer-client.exe"
  printf '%s' "$case_dir/newer-client.exe"
}

# Runs update.exe once and waits until the stand-in client has started.
run_update() {
  local journal="$case_dir/journal.txt"
  rm -f "$journal"
  KVZ_STANDIN_JOURNAL="Z:${journal//\//\\}" wine_run 'C:\kvz\update.exe' \
    >>"$case_dir/wine.log" 2>&1 || fail "update.exe ended with $?"
  wait_for "the client's start" grep -qs ' args \[' "$journal"
  grep -q '^started C:\\kvz\\KVZClient.exe in C:\\kvz' "$journal" ||
    fail "the client started unexpectedly: $(cat "$journal")"
  # The stand-in ends right after its line. If it is still running when the
  # next run replaces it, that is what Windows allows too: a running program
  # can be moved away.
}

setting() { sed -n "s/^$1=//Ip" "$app/config.ini" | tr -d '\r'; }
unix_path() {
  local p="${1#[Cc]:\\}"
  printf '%s/drive_c/%s' "$WINEPREFIX" "${p//\\//}"
}
# Wininet asks once more when a connection closes without an answer.
requests() { uniq "$case_dir/requests.log" | tr '\n' ' ' | sed 's/ $//'; }

expect_text() { [ "$(cat "$1")" = "$2" ] || fail "$1 holds '$(cat "$1" 2>/dev/null)', not '$2'"; }
expect_same() { cmp -s "$1" "$2" || fail "$1 differs from $2"; }
expect_missing() { [ ! -e "$1" ] || fail "$1 should not exist"; }
expect_requests() { [ "$(requests)" = "$1" ] || fail "requests were '$(requests)', not '$1'"; }

# ---- the cases ----

# A newer version updates two files with backups, records urlmon's cache path
# of the manifest, starts the client; the next run deletes that cache file.
case_update_with_backups() {
  new_case update_with_backups
  cp "$app/KVZClient.exe" "$case_dir/older-client.exe"
  manifest '1.1\r\nKVZClient.exe\r\na.dll'
  publish KVZClient.exe "$(newer_client)"
  publish_text a.dll 'a 1.1'
  run_update
  expect_same "$app/KVZClient.exe" "$case_dir/newer-client.exe"
  expect_same "$app/update/KVZClient.exe.bak" "$case_dir/older-client.exe"
  expect_text "$app/a.dll" 'a 1.1'
  expect_text "$app/update/a.dll.bak" 'a 1.0'
  expect_text "$app/b.dll" 'b 1.0'
  expect_missing "$app/update/a.dll"
  expect_requests '/update/soft.html /soft/KVZClient.exe /soft/a.dll'
  local first
  first="$(setting cacheName)"
  [[ "$first" == C:\\* && "$first" == *INetCache* ]] || fail "cacheName is '$first'"
  [ -f "$(unix_path "$first")" ] || fail "the recorded cache file $first does not exist"
  expect_same "$(unix_path "$first")" "$case_dir/www/update/soft.html"

  # The next run deletes the file that "cacheName" names. Wininet may reuse a
  # cache file's name by itself, so a copy of ours outside the cache stands
  # for the recorded one here.
  local decoy="$WINEPREFIX/drive_c/kvz-cache/soft[0]"
  mkdir -p "$(dirname "$decoy")"
  printf 'stale copy' >"$decoy"
  write_config "1.0" "http://127.0.0.1:$port/" 'C:\kvz-cache\soft[0]'
  run_update
  expect_missing "$decoy"
  local second
  second="$(setting cacheName)"
  [[ "$second" == *INetCache* ]] || fail "second cacheName is '$second'"
  expect_same "$(unix_path "$second")" "$case_dir/www/update/soft.html"
}

case_unreachable_server() {
  new_case unreachable_server
  stop_server  # nothing listens on that port any more
  write_config "1.0" "http://127.0.0.1:$port/" ""
  cp "$app/KVZClient.exe" "$case_dir/older-client.exe"
  run_update
  expect_same "$app/KVZClient.exe" "$case_dir/older-client.exe"
  expect_text "$app/a.dll" 'a 1.0'
  expect_missing "$app/update/a.dll.bak"
  grep -qi '^cacheName=' "$app/config.ini" || fail "cacheName was not written"
  [ -z "$(setting cacheName)" ] || fail "cacheName is '$(setting cacheName)'"
}

# A failing transfer of the client leaves the installed client untouched and
# stops the run there: b.dll is neither fetched nor changed.
failing_client_transfer() {
  new_case "client_$1"
  cp "$app/KVZClient.exe" "$case_dir/older-client.exe"
  manifest '1.1\r\na.dll\r\nKVZClient.exe\r\nb.dll'
  publish_text a.dll 'a 1.1'
  publish KVZClient.exe "$(newer_client)"
  publish_text b.dll 'b 1.1'
  fault /soft/KVZClient.exe "$1"
  run_update
  expect_text "$app/a.dll" 'a 1.1'
  expect_text "$app/update/a.dll.bak" 'a 1.0'
  expect_same "$app/KVZClient.exe" "$case_dir/older-client.exe"
  expect_missing "$app/update/KVZClient.exe.bak"
  expect_text "$app/b.dll" 'b 1.0'
  expect_requests '/update/soft.html /soft/a.dll /soft/KVZClient.exe'
  [ -n "$(setting cacheName)" ] || fail "cacheName was not recorded"
}
case_client_404() { failing_client_transfer 404; }
case_client_500() { failing_client_transfer 500; }
case_client_drop() { failing_client_transfer drop; }
case_client_short() { failing_client_transfer short; }
case_client_silent() { failing_client_transfer silent; }

# The window and the abort of a transfer by a close request, checked by a
# program of ours that runs Form1 on the real window and URL monikers.
case_window_and_close() {
  new_case window_and_close
  [ -f "$window_check_exe" ] || fail "no $window_check_exe"
  manifest '1.1\r\nslow.bin'
  publish_text slow.bin 'slow 1.1'
  fault /update/soft.html trickle
  wine_run "$window_check_exe" "http://127.0.0.1:$port/" >"$case_dir/check.log" 2>&1 ||
    fail "update_window_check: $(grep -v '^[0-9a-f]*:fixme' "$case_dir/check.log")"
}

case "${1:-}" in
  --setup) setup ;;
  --cleanup) cleanup ;;
  "") fail "usage: $0 --setup | --cleanup | CASE" ;;
  *)
    declare -F "case_$1" >/dev/null || fail "no case $1"
    "case_$1"
    note "$1 passed"
    ;;
esac
