# Cases of the simulated dial-up service, called through the client's own
# Win32RasService by the probe program (no client window involved).

# One table row per scenario: the probe's commands and its whole output.
case_sim_contract() {
  local size
  size="$(e2e_rasconn_size)"
  sim_row connect "dial ZORuda alice secret -- enum -- hangup 0xa10001 -- enum -- hangup 0xa10001" \
"dial result=0 handle=0xa10001
notify message=0xcccd state=0 error=0 thread=other
notify message=0xcccd state=1 error=0 thread=other
notify message=0xcccd state=2 error=0 thread=other
notify message=0xcccd state=3 error=0 thread=other
notify message=0xcccd state=4 error=0 thread=other
notify message=0xcccd state=5 error=0 thread=other
notify message=0xcccd state=6 error=0 thread=other
notify message=0xcccd state=14 error=0 thread=other
notify message=0xcccd state=8192 error=0 thread=other
enum result=0 count=1
connection entry=ZORuda handle=0xa10001
hangup result=0
enum result=0 count=0
hangup result=6"
  e2e_journal_has "^RasDialA extensions=0 phonebook=\(null\) dwSize=1052 layout=0x400 entry=\"ZORuda\" phone=\"\" callback=\"\*\" user=\"alice\" password=\"secret\" domain=\"\*\" notifierType=0 notifier=0x[0-9a-f]+ inHandle=0x0$"
  e2e_journal_has "^RasEnumConnectionsA dwSize=$size layout=0x400 cb=$((size * 11)) -> 0 count=1 \"ZORuda\"=0xa10001$"

  sim_row missing-entry "dial ZORuda alice secret -- error 623 -- error 999" \
"dial result=623 handle=0x0
error text=找不到此连接的电话簿项目。
error text="
  e2e_journal_count "^notify" 0

  sim_row refused-with-handle "dial zoruda alice secret -- hangup 0xb20001 -- hangup 0xb20001" \
"dial result=633 handle=0xb20001
hangup result=0
hangup result=6"

  sim_row auth-failure "dial ZORuda alice wrong -- enum" \
"dial result=0 handle=0xc30001
notify message=0xcccd state=0 error=0 thread=other
notify message=0xcccd state=1 error=0 thread=other
notify message=0xcccd state=2 error=0 thread=other
notify message=0xcccd state=3 error=0 thread=other
notify message=0xcccd state=4 error=0 thread=other
notify message=0xcccd state=5 error=0 thread=other
notify message=0xcccd state=8193 error=691 thread=other
enum result=0 count=0"

  # Hung up while the dial waits: the entry is gone and the handle is spent.
  sim_row stalled "dial ZORuda alice secret 1 -- enum -- hangup 0xd40001" \
"dial result=0 handle=0xd40001
notify message=0xcccd state=0 error=0 thread=other
notify message=0xcccd state=1 error=0 thread=other
hangup result=0
enum result=0 count=0
hangup result=6"

  # A scenario in GBK bytes (not UTF-8) is taken as ANSI text as it is; an
  # unreadable line is journalled and skipped; entry names match in any case.
  printf '[dial zoruda]\nstep = 0x2000 0 10\nbogus line\n[errors]\n691 = 密码错误\n' |
    iconv -f UTF-8 -t GBK >"$KVZ_RUN_DIR/gbk.ini"
  sim_row "$KVZ_RUN_DIR/gbk.ini" "dial ZORuda alice secret -- error 691" \
"dial result=0 handle=0x10100
notify message=0xcccd state=8192 error=0 thread=other
error text=密码错误"
  e2e_journal_has '^scenario unreadable line 3: bogus line$'

  sim_row already-open "enum -- dial ZORuda alice secret -- hangup 0x5a0001 -- enum" \
"enum result=0 count=1
connection entry=ZORuda handle=0x5a0001
dial result=602 handle=0x0
hangup result=0
enum result=0 count=0"
}

# sim_row SCENARIO "COMMANDS" "EXPECTED OUTPUT"
sim_row() {
  local out
  kvz_sim_scenario "$1" || e2e_fail "no scenario $1"
  rm -f "$KVZ_SIM_JOURNAL_FILE"
  # shellcheck disable=SC2086
  out="$(e2e_probe $2 | tr -d '\r')"
  e2e_same "probe output of $1" "$3" "$out"
  echo "ok: $1"
}
