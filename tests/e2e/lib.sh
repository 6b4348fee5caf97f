# Helpers of the end-to-end cases (sourced by run_e2e.sh after
# tools/wine-prefix.sh). Every wait here is bounded; a failed check ends the
# case with exit 1 and the EXIT trap ends every Wine and Xvfb process.

E2E_DRIVER="$KVZ_WIN_BUILD/tests/e2e/kvz_driver.exe"
E2E_PROBE="$KVZ_WIN_BUILD/tests/e2e/kvz_ras_probe.exe"
E2E_CLIENT_DIR="$WINEPREFIX/drive_c/KVZ"
E2E_SCREENSHOTS="$kvz_root/build/screenshots"
e2e_step=0

e2e_fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# The size that the client's oldest RASCONN record has on this build's
# architecture (4-byte packing as in the SDK).
e2e_rasconn_size() { [ "$KVZ_WINE_ARCH" = win32 ] && echo 412 || echo 416; }

# e2e_probe ARGS...: runs the RAS probe and prints its output.
e2e_probe() {
  timeout 60 env "${KVZ_LOCALE_ENV[@]}" "$KVZ_WINE" "$(kvz_winpath "$E2E_PROBE")" "$@" 2>/dev/null
}

# e2e_drive < SCRIPT: runs a driver script against the windows on screen;
# its output goes to stdout and to the case log.
e2e_drive() {
  e2e_step=$((e2e_step + 1))
  local script="$KVZ_RUN_DIR/drive-$e2e_step.txt" out="$KVZ_RUN_DIR/drive-$e2e_step.out" rc=0
  cat >"$script"
  timeout 120 env "${KVZ_LOCALE_ENV[@]}" "$KVZ_WINE" "$(kvz_winpath "$E2E_DRIVER")" \
    "$(kvz_winpath "$script")" >"$out" 2>/dev/null || rc=$?
  cat "$out"
  [ "$rc" -eq 0 ] || e2e_fail "driver script $e2e_step failed (exit $rc): $(grep -E '^(FAIL|ERROR)' "$out")"
}

# e2e_same "WHAT" "EXPECTED" "ACTUAL": exact comparison with a diff on failure.
e2e_same() {
  [ "$2" == "$3" ] && return 0
  echo "--- expected $1" >&2
  diff <(printf '%s\n' "$2") <(printf '%s\n' "$3") >&2 || true
  e2e_fail "$1 differs"
}

# e2e_journal_has REGEX: a line of the dial-up journal matches (grep -E).
e2e_journal_has() {
  grep -qE -- "$1" "$KVZ_SIM_JOURNAL_FILE" 2>/dev/null && return 0
  echo "--- dial-up journal:" >&2
  cat "$KVZ_SIM_JOURNAL_FILE" >&2 2>/dev/null || echo "(none)" >&2
  e2e_fail "no journal line matches: $1"
}

# e2e_journal_count REGEX N: exactly N journal lines match.
e2e_journal_count() {
  local n
  n="$(grep -cE -- "$1" "$KVZ_SIM_JOURNAL_FILE" 2>/dev/null || true)"
  [ "${n:-0}" -eq "$2" ] && return 0
  cat "$KVZ_SIM_JOURNAL_FILE" >&2 2>/dev/null || true
  e2e_fail "expected $2 journal lines matching '$1', found ${n:-0}"
}

# e2e_wait_file FILE REGEX SECONDS: waits until a line of FILE matches.
e2e_wait_file() {
  local deadline=$((SECONDS + $3))
  while ! grep -qE -- "$2" "$1" 2>/dev/null; do
    [ "$SECONDS" -lt "$deadline" ] || e2e_fail "nothing matching '$2' in $1 within $3 s"
    sleep 0.1
  done
}

# e2e_install_client SCENARIO: a fresh copy of the shipped folder at C:\KVZ
# without a settings file, the scenario chosen, empty journals.
e2e_install_client() {
  local dist
  dist="$(kvz_dist_dir)"
  [ -f "$dist/KVZClient.exe" ] || e2e_fail "no KVZClient.exe in $dist (build the Windows programs first)"
  kvz_sim_scenario "$1" || e2e_fail "no scenario $1"
  rm -rf "$E2E_CLIENT_DIR" && mkdir -p "$E2E_CLIENT_DIR"
  cp -r "$dist/." "$E2E_CLIENT_DIR/"
  rm -f "$KVZ_SIM_JOURNAL_FILE" "$KVZ_BROWSER_JOURNAL"
}

# e2e_run_client: starts C:\KVZ\KVZClient.exe in the background; the Wine
# process that is the client is E2E_CLIENT_PID.
e2e_run_client() {
  (cd "$E2E_CLIENT_DIR" && exec env "${KVZ_LOCALE_ENV[@]}" "$KVZ_WINE" 'C:\KVZ\KVZClient.exe') \
    >>"$KVZ_RUN_DIR/client.out" 2>&1 &
  E2E_CLIENT_PID=$!
}

# e2e_wait_client_end SECONDS: waits until the client process has ended.
e2e_wait_client_end() {
  local deadline=$((SECONDS + $1))
  while kill -0 "$E2E_CLIENT_PID" 2>/dev/null; do
    [ "$SECONDS" -lt "$deadline" ] || e2e_fail "the client did not end within $1 s"
    sleep 0.1
  done
}

# e2e_start_client SCENARIO: e2e_install_client with a settings file whose
# local network type is set (GBK bytes); then the client starts.
e2e_start_client() {
  e2e_install_client "$1"
  printf '[KVZ Client]\r\nactStr=内部网络\r\n' | iconv -f UTF-8 -t GBK >"$E2E_CLIENT_DIR/KVZClient.ini"
  e2e_run_client
}

# e2e_screenshot NAME: the main window's part of the screen, repainted first.
e2e_screenshot() {
  local rect x y w h file="$E2E_SCREENSHOTS/$1.png"
  rect="$(e2e_drive <<'EOF' | sed -n 's/^window-rect: //p'
window class=TRasDialerForm
repaint
print window-rect
EOF
)"
  read -r x y w h <<<"$rect"
  mkdir -p "$E2E_SCREENSHOTS"
  import -display "$DISPLAY" -window root -crop "${w}x${h}+${x}+${y}" +repage "$file" \
    || e2e_fail "screenshot failed"
  echo "screenshot: $file"
}
