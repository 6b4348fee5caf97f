# Cases of the real KVZClient.exe with the simulated dial-up service. The
# settings file of every case sets the local network type "内部网络", so a
# dial sets no routes.

E2E_TITLE="Tovan网络加速登陆器"
E2E_DIAL_LINES='"正在接入到Tovan加速网络..." "正在打开端口..." "成功打开端口" "正在连接到驱动..."
  "成功连接驱动" "所有驱动准备完成" "开始认证..."'

# The main window after start-up, credentials typed, Connect clicked.
e2e_connect_script() {
  cat <<EOF
window class=TRasDialerForm title="$E2E_TITLE" visible=1 timeout=30000
idle
control class=ListBox
expect lines
control class=Edit password=0 visible=1
settext "$1"
control class=Edit password=1
settext "$2"
control class=Button text="连  接"
expect enabled 1
click
control class=ListBox
EOF
}

e2e_expect_idle_script() {
  cat <<EOF
window class=TRasDialerForm
expect title "$E2E_TITLE"
expect window-visible 1
control class=Button text="取 消"
control class=Button text="连  接"
expect enabled 1
EOF
}

case_dial_connect_cancel() {
  local size
  size="$(e2e_rasconn_size)"
  e2e_start_client connect
  { e2e_connect_script alice secret
    echo "expect lines ${E2E_DIAL_LINES//$'\n'/} \"发送认证请求\" \"已成功完成认证\" \"已经连接\" timeout=30000"
    cat <<EOF
expect title "$E2E_TITLE - Connected"
expect window-visible 0
control class=Button text="断 开"
control class=Button text="连  接"
expect enabled 0
expect tray-icons 1
EOF
  } | e2e_drive
  e2e_journal_has "^RasEnumConnectionsA dwSize=$size layout=0x400 cb=$((size * 11)) -> 0 count=0$"
  e2e_journal_has "^RasDialA extensions=0 phonebook=\(null\) dwSize=1052 layout=0x400 entry=\"ZORuda\" phone=\"\" callback=\"\*\" user=\"alice\" password=\"secret\" domain=\"\*\" notifierType=0 notifier=0x[0-9a-f]+ inHandle=0x0$"
  e2e_journal_count "^RasDialA extensions" 1
  e2e_journal_count "^RasHangUpA" 0
  e2e_wait_file "$KVZ_BROWSER_JOURNAL" ':8080/showG\.html' 20

  # Back from the tray by a double click on the icon, then Cancel.
  { cat <<EOF
window class=TRasDialerForm
tray lbuttondblclk
expect window-visible 1
control class=Button text="断 开"
click
control class=ListBox
expect last-line~ "Cumulated "
print lines
EOF
    e2e_expect_idle_script
  } | e2e_drive | e2e_check_cancel_lines
  e2e_journal_has "^RasHangUpA handle=0xa10001 -> 0$"
  e2e_screenshot main
}

# After Cancel of a dialled session: the dial's ten lines, "断开连接", then
# the session's time and the new total, which is also in the settings file.
e2e_check_cancel_lines() {
  local out seconds total
  out="$(tr -d '\r' | sed -n 's/^line \([0-9]*\): /\1 /p')"
  e2e_same "line 10" "10 断开连接" "$(sed -n 11p <<<"$out")"
  seconds="$(sed -n 's/^11 Connect Time: \([0-9][0-9]*\) Sec with ZORuda$/\1/p' <<<"$out")"
  total="$(sed -n 's/^12 Cumulated Connect Time: \([0-9][0-9]*\) Sec$/\1/p' <<<"$out")"
  [ -n "$seconds" ] && [ -n "$total" ] && [ "$(wc -l <<<"$out")" -eq 13 ] ||
    e2e_fail "unexpected lines after Cancel: $out"
  # A fresh settings file held no total, so the total is this session.
  e2e_same "total" "$seconds" "$total"
  tr -d '\r' <"$E2E_CLIENT_DIR/KVZClient.ini" |
    awk -v want="Connect Time=$total" '/^\[/ { s = $0 } s == "[RAS_ENTRY_ZORuda]" && $0 == want { f = 1 }
                                        END { exit !f }' ||
    e2e_fail "KVZClient.ini holds no total of $total s: $(cat "$E2E_CLIENT_DIR/KVZClient.ini")"
}

case_cancel_while_dialling() {
  e2e_start_client stalled
  { e2e_connect_script alice secret
    cat <<EOF
expect last-line "成功打开端口" timeout=20000
window class=TRasDialerForm
expect title "$E2E_TITLE - Dialing"
control class=Button text="连  接"
expect enabled 0
control class=Button text="取 消"
click
control class=ListBox
expect lines "正在接入到Tovan加速网络..." "正在打开端口..." "成功打开端口" "断开连接"
EOF
    e2e_expect_idle_script
  } | e2e_drive
  e2e_journal_has "^RasHangUpA handle=0xd40001 -> 0$"
}

case_adopt_open() {
  e2e_start_client already-open
  e2e_drive <<EOF
window class=TRasDialerForm title="$E2E_TITLE - Connected" timeout=30000
expect window-visible 1
expect window-iconic 0
control class=ListBox
expect lines "当前已经存在1个活动连接"
control class=Button text="断 开"
control class=Button text="连  接"
expect enabled 0
EOF
  e2e_journal_has "^RasEnumConnectionsA .* -> 0 count=1 \"ZORuda\"=0x5a0001$"
  e2e_journal_count "^RasDialA" 0
  e2e_journal_count "^RasHangUpA" 0
  e2e_wait_file "$KVZ_BROWSER_JOURNAL" ':8080/showG\.html' 20
}

case_missing_entry() {
  e2e_start_client missing-entry
  { e2e_connect_script alice secret
    echo 'expect lines "623 找不到此连接的电话簿项目。"'
    e2e_expect_idle_script
  } | e2e_drive
  e2e_journal_has "^RasDialA -> 623 handle=0x0$"
  e2e_journal_count "^RasHangUpA" 0
}

case_refused_with_handle() {
  e2e_start_client refused-with-handle
  { e2e_connect_script alice secret
    echo 'expect lines "633 调制解调器或其他连接设备已在使用或配置不正确。"'
    e2e_expect_idle_script
  } | e2e_drive
  e2e_journal_has "^RasHangUpA handle=0xb20001 -> 0$"
}

case_auth_failure() {
  e2e_start_client auth-failure
  { e2e_connect_script alice wrong
    echo "expect lines ${E2E_DIAL_LINES//$'\n'/} \"已经断开连接\" \"用户名或密码无效，访问被拒绝。\" timeout=30000"
    e2e_expect_idle_script
  } | e2e_drive
  e2e_journal_has "^RasHangUpA handle=0xc30001 -> 0$"
}

case_empty_password() {
  e2e_start_client connect
  { e2e_connect_script alice ""
    cat <<EOF
msgbox text="您没有提供用户名和连接密码！"
msgbox-ok
window class=TRasDialerForm
expect title "$E2E_TITLE - Dialing"
control class=Button text="连  接"
expect enabled 0
control class=Button text="取 消"
click
control class=ListBox
expect lines "断开连接"
EOF
    e2e_expect_idle_script
  } | e2e_drive
  e2e_journal_count "^RasDialA" 0
  e2e_journal_count "^RasHangUpA" 0
}
