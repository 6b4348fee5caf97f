# The first start of the real KVZClient.exe without a settings file: Connect
# sends the user to setForm.exe, the choice made there lets the next start
# dial, the login is remembered for the start after that, and the log beside
# the exe holds every run.

E2E_FS_USER=bob
E2E_FS_PASSWORD=pw4711
E2E_SAVE_PW_ID=1007  # the save-password check box
E2E_EXIT_COMMAND=103  # "退出" in the main menu

# The settings file as UTF-8 text without carriage returns.
e2e_ini_text() {
  iconv -f GBK -t UTF-8 "$E2E_CLIENT_DIR/KVZClient.ini" | tr -d '\r'
}

# e2e_ini_lines SECTION: the lines of one section, blank lines left out.
e2e_ini_lines() {
  e2e_ini_text | awk -v want="[$1]" '/^\[/ { s = $0; next } s == want && NF { print }'
}

e2e_ini_fail() { e2e_fail "$1; KVZClient.ini: $(e2e_ini_text)"; }

# The main window up and idle, the login typed, saving ticked, Connect clicked.
e2e_first_start_connect_script() {
  cat <<EOF
window class=TRasDialerForm title="$E2E_TITLE" visible=1 timeout=30000
idle
control class=Edit password=0 visible=1
settext "$E2E_FS_USER"
control class=Edit password=1
settext "$E2E_FS_PASSWORD"
control id=$E2E_SAVE_PW_ID
EOF
  [ "$1" = checked ] || echo click
  cat <<EOF
expect checked 1
control class=Button text="连  接"
expect enabled 1
click
EOF
}

# Whether the save-password box of the window now on screen is ticked.
e2e_save_pw_state() {
  e2e_drive <<EOF | tr -d '\r' | sed -n 's/^state: .*checked=\([01]\)$/\1/p'
window class=TRasDialerForm title="$E2E_TITLE" visible=1 timeout=30000
idle
control id=$E2E_SAVE_PW_ID
print state
EOF
}

e2e_exit_client_script() {
  cat <<EOF
window class=TRasDialerForm
command $E2E_EXIT_COMMAND
expect gone timeout=20000
EOF
}

case_first_start() {
  e2e_install_client connect
  [ ! -e "$E2E_CLIENT_DIR/KVZClient.ini" ] || e2e_fail "the fresh folder has a settings file"
  [ -f "$E2E_CLIENT_DIR/setForm.exe" ] || e2e_fail "no setForm.exe beside the client"

  # First run: no local network type, so Connect asks for one, the client
  # ends and starts the setup program, which stores the choice.
  e2e_run_client
  { e2e_first_start_connect_script unchecked
    cat <<EOF
msgbox text="您还没有设置您的本地网络，先请设置！" timeout=20000
msgbox-ok
EOF
  } | e2e_drive
  e2e_wait_client_end 30
  e2e_journal_count "^RasDialA" 0
  e2e_drive <<'EOF'
window class=#32770 title="设置本地网络" visible=1 timeout=30000
control class=Button text="内部网络"
click
expect checked 1
control class=Button text="确定"
expect enabled 1
click
expect gone timeout=20000
EOF
  [ -f "$E2E_CLIENT_DIR/KVZClient.ini" ] || e2e_fail "setForm.exe wrote no KVZClient.ini"
  e2e_same "[KVZ Client]" "actStr=内部网络" "$(e2e_ini_lines "KVZ Client")"
  e2e_ini_text | grep -q '^\[Last\]' && e2e_ini_fail "a [Last] section before any dial"

  # Second run: the stored type lets Connect save the login and dial.
  e2e_run_client
  local state
  state="$(e2e_save_pw_state)"
  [ -n "$state" ] || e2e_fail "cannot read the save-password box"
  local tick=unchecked
  [ "$state" = 1 ] && tick=checked
  { e2e_first_start_connect_script "$tick"
    cat <<EOF
control class=ListBox
expect lines ${E2E_DIAL_LINES//$'\n'/} "发送认证请求" "已成功完成认证" "已经连接" timeout=30000
window class=TRasDialerForm
expect title "$E2E_TITLE - Connected"
tray lbuttondblclk
expect window-visible 1
control class=Button text="断 开"
click
control class=ListBox
expect last-line~ "Cumulated "
EOF
    e2e_exit_client_script
  } | e2e_drive
  e2e_wait_client_end 30
  e2e_journal_count "^RasDialA extensions=.* user=\"$E2E_FS_USER\" password=\"$E2E_FS_PASSWORD\" " 1
  e2e_check_saved_login

  # Third run: the fields come back as saved. A password box gives its text
  # to another process's WM_GETTEXT under Wine (Windows would not).
  e2e_run_client
  { cat <<EOF
window class=TRasDialerForm title="$E2E_TITLE" visible=1 timeout=30000
idle
control class=Edit password=0 visible=1
expect text "$E2E_FS_USER"
control class=Edit password=1
expect text "$E2E_FS_PASSWORD"
control id=$E2E_SAVE_PW_ID
expect checked 1
EOF
    e2e_exit_client_script
  } | e2e_drive
  e2e_wait_client_end 30
  e2e_check_first_start_log
}

# [Last] holds the login with a scrambled (all digits) password under exactly
# one key; the dial-up entry's section holds the per-user key.
e2e_check_saved_login() {
  local last entry
  last="$(e2e_ini_lines Last)"
  grep -qx "UserName=$E2E_FS_USER" <<<"$last" || e2e_ini_fail "no Last/UserName=$E2E_FS_USER"
  grep -qx 'SavePW=1' <<<"$last" || e2e_ini_fail "no Last/SavePW=1"
  grep -qxE 'Password=[0-9]+' <<<"$last" || e2e_ini_fail "no Last/Password of digits"
  [ "$(grep -ciE '^[[:space:]]*password[[:space:]]*=' <<<"$last")" -eq 1 ] ||
    e2e_ini_fail "not exactly one Password key in [Last]"
  entry="$(e2e_ini_lines RAS_ENTRY_ZORuda)"
  grep -q "^USER_$E2E_FS_USER=" <<<"$entry" || e2e_ini_fail "no USER_$E2E_FS_USER in [RAS_ENTRY_ZORuda]"
}

# kvzclient.log: one start line and one stop line per run, in order, and the
# second run's status lines between its pair.
e2e_check_first_start_log() {
  local log="$E2E_CLIENT_DIR/kvzclient.log" text frames stamp
  [ -f "$log" ] || e2e_fail "no kvzclient.log beside the client"
  text="$(iconv -f GBK -t UTF-8 "$log" | tr -d '\r')" || e2e_fail "kvzclient.log is not GBK text"
  stamp='[0-9]{2}[^0-9 ]+[0-9]{2}[^0-9 ]+[0-9]{2} [0-9]{2}[^0-9 ]+[0-9]{2}[^0-9 ]+[0-9]{2} +'
  frames="$(grep -E '\|(Start|Stop\..*)\|$' <<<"$text" |
    sed -E "s/^! $stamp""5 \|Start\|$/start/; s/^! $stamp[0-9]+ \|Stop\..* Messages logged: [0-9]+\|$/stop/")"
  e2e_same "start and stop lines of kvzclient.log" "$(printf '%s\n' start stop start stop start stop)" "$frames"
  local line
  for line in "正在接入到Tovan加速网络..." "已经连接" "断开连接"; do
    awk -v want="|$line|" '/\|Start\|$/ { run++ } run == 2 && index($0, want) { f = 1 } END { exit !f }' \
      <<<"$text" || e2e_fail "the second run logged no \"$line\": $text"
  done
}
