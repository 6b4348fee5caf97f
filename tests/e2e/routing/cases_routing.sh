# Cases of split routing with the real client (sourced by run_routing_e2e.sh;
# the helpers of tests/e2e/lib.sh are loaded before a case runs).
#
# The ipconfig stand-in prints tests/routing/fixtures/ipconfig_dialup.txt:
# a local adapter (gateway 192.168.1.1) ahead of the link (10.8.0.6). The
# route scripts expected for those values are the committed fixtures
# route_*.cmd; the route stand-in journals the arguments of every route line.

ROUTING_FIXTURES="$kvz_root/tests/routing/fixtures"
ROUTING_TELECOM="电信网络"
ROUTING_NETCOM="网通网络"
ROUTING_INTERNAL="内部网络"

# routing_start_client TYPE SCENARIO [IPCONFIG_DELAY_MS]: a fresh client
# folder whose settings file holds the local network type TYPE (GBK), no
# files left in C:\ from an earlier case, the stand-ins' journals empty.
routing_start_client() {
  local dist drive_c="$WINEPREFIX/drive_c"
  dist="$(kvz_dist_dir)"
  [ -f "$dist/KVZClient.exe" ] || e2e_fail "no KVZClient.exe in $dist (build the Windows programs first)"
  kvz_sim_scenario "$2" || e2e_fail "no scenario $2"
  rm -rf "$E2E_CLIENT_DIR" && mkdir -p "$E2E_CLIENT_DIR"
  cp -r "$dist/." "$E2E_CLIENT_DIR/"
  printf '[KVZ Client]\r\nactStr=%s\r\n' "$1" | iconv -f UTF-8 -t GBK >"$E2E_CLIENT_DIR/KVZClient.ini"
  rm -f "$drive_c/cmd.cmd" "$drive_c/netInfo.tmp" "$KVZ_SIM_JOURNAL_FILE" "$KVZ_BROWSER_JOURNAL"
  ROUTING_JOURNAL="$KVZ_RUN_DIR/route-journal.log"
  ROUTING_IPCONFIG_JOURNAL="$KVZ_RUN_DIR/ipconfig-journal.log"
  rm -f "$ROUTING_JOURNAL" "$ROUTING_IPCONFIG_JOURNAL"
  # Inherited by the scripts that the client starts through the shell.
  export KVZ_SIM_IPCONFIG_FILE KVZ_SIM_IPCONFIG_JOURNAL KVZ_SIM_IPCONFIG_DELAY_MS="${3:-0}"
  KVZ_SIM_IPCONFIG_FILE="$(kvz_winpath "$ROUTING_FIXTURES/ipconfig_dialup.txt")"
  KVZ_SIM_IPCONFIG_JOURNAL="$(kvz_winpath "$ROUTING_IPCONFIG_JOURNAL")"
  (cd "$E2E_CLIENT_DIR" && exec env "${KVZ_LOCALE_ENV[@]}" "$KVZ_WINE" 'C:\KVZ\KVZClient.exe') \
    >"$KVZ_RUN_DIR/client.out" 2>&1 &
}

# Dials and waits for the connected look; the client then starts its capture.
routing_dial() {
  { e2e_connect_script alice secret
    cat <<EOF
expect last-line "已经连接" timeout=30000
window class=TRasDialerForm
expect title "$E2E_TITLE - Connected"
EOF
  } | e2e_drive >/dev/null
}

# Waits until the route script has run to its end: a capture has run (the
# ipconfig journal), and both files are gone. The capture's filter makes
# netInfo.tmp before the capture deletes cmd.cmd, and only the route script
# deletes netInfo.tmp and then itself, so both are absent only after it.
routing_wait_route_script_done() {
  local drive_c="$WINEPREFIX/drive_c" deadline=$((SECONDS + 60))
  e2e_wait_file "$ROUTING_IPCONFIG_JOURNAL" '^ipconfig' 30
  while [ -e "$drive_c/netInfo.tmp" ] || [ -e "$drive_c/cmd.cmd" ]; do
    if [ "$SECONDS" -ge "$deadline" ]; then
      ls -l "$drive_c" >&2
      e2e_fail "the route script did not run to its end: cmd.cmd or netInfo.tmp is still there"
    fi
    sleep 0.1
  done
}

# routing_expect_journal FIXTURE: the route lines of the script fixture,
# without "@route ", are what the route stand-in journaled, in order.
routing_expect_journal() {
  local expected actual
  expected="$(tr -d '\r' <"$ROUTING_FIXTURES/$1" | sed -n 's/^@route //p')"
  actual="$(tr -d '\r' <"$ROUTING_JOURNAL" 2>/dev/null || true)"
  e2e_same "route journal" "$expected" "$actual"
}

# The connection stays up whatever the routing did.
routing_expect_still_connected() {
  e2e_drive >/dev/null <<EOF
window class=TRasDialerForm
expect title "$E2E_TITLE - Connected"
control class=Button text="断 开"
EOF
  e2e_journal_count "^RasHangUpA" 0
}

case_routing_telecom() {
  routing_start_client "$ROUTING_TELECOM" connect
  routing_dial
  routing_wait_route_script_done
  # The default-route pair first, then 135 table lines and the extra host,
  # all through the link's own address.
  routing_expect_journal route_telecom.cmd
  [ "$(grep -c . "$ROUTING_JOURNAL")" -eq 138 ] || e2e_fail "expected 138 route lines"
  routing_expect_still_connected
}

case_routing_netcom() {
  routing_start_client "$ROUTING_NETCOM" connect
  routing_dial
  routing_wait_route_script_done
  routing_expect_journal route_netcom.cmd
  ! grep -qE 'DELETE|^ADD 0\.0\.0\.0 ' "$ROUTING_JOURNAL" || e2e_fail "netcom touched the default route"
  [ "$(grep -c ' 10\.8\.0\.6.$' "$ROUTING_JOURNAL")" -eq 1 ] || e2e_fail "only the extra host goes through the link"
  routing_expect_still_connected
}

case_routing_internal() {
  routing_start_client "$ROUTING_INTERNAL" connect
  routing_dial
  # The six-line script still runs: it deletes both files and sets no route.
  routing_wait_route_script_done
  [ ! -e "$ROUTING_JOURNAL" ] || e2e_fail "routes set for $ROUTING_INTERNAL: $(cat "$ROUTING_JOURNAL")"
  routing_expect_still_connected
}

# An ipconfig that needs three seconds: the client waits for the capture to
# end instead of a fixed second, so the route script is written after the
# capture has deleted cmd.cmd, and all routes are set.
case_routing_slow_ipconfig() {
  routing_start_client "$ROUTING_TELECOM" connect 3000
  routing_dial
  routing_wait_route_script_done
  routing_expect_journal route_telecom.cmd
  routing_expect_still_connected
}

# A connection that was already open is adopted: no capture, no script, no
# file. Cancel is a posted click, handled by the main loop only after the
# adoption's work has returned; a capture started by then would have left
# cmd.cmd or a line in the ipconfig journal.
case_routing_adopted_writes_nothing() {
  local drive_c="$WINEPREFIX/drive_c"
  routing_start_client "$ROUTING_TELECOM" already-open
  e2e_drive >/dev/null <<EOF
window class=TRasDialerForm title="$E2E_TITLE - Connected" visible=1 timeout=30000
control class=Button text="断 开"
click
control class=ListBox
expect last-line "断开连接" timeout=20000
EOF
  e2e_wait_file "$KVZ_BROWSER_JOURNAL" ':8080/showG\.html' 20
  for f in "$drive_c/cmd.cmd" "$drive_c/netInfo.tmp" "$ROUTING_IPCONFIG_JOURNAL" "$ROUTING_JOURNAL"; do
    [ ! -e "$f" ] || e2e_fail "an adopted connection left $f"
  done
}
