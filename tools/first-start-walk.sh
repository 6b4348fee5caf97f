# Walks the first start of the client on a virtual display with the test
# driver, one screenshot per step (sourced by tools/run-client.sh, which has
# started the client without a settings file and defines start_client).
#
#   first_start_walk DRIVER-EXE SCREENSHOT-FOLDER

fs_title="Tovan网络加速登陆器"
fs_step=0

# fs_drive LINE...: one driver script; the driver's output goes to stdout.
fs_drive() {
  local out rc=0
  out="$(env "${KVZ_LOCALE_ENV[@]}" timeout 120 "$KVZ_WINE" "$fs_driver" -c "$@" 2>/dev/null)" || rc=$?
  printf '%s\n' "$out" | tr -d '\r'
  if [ "$rc" -ne 0 ]; then
    echo "The first-start walk stopped: $(printf '%s\n' "$out" | grep -E '^(FAIL|ERROR)' | tr -d '\r')" >&2
    return 1
  fi
}

# fs_shot WHAT [DRIVER-OUTPUT]: the whole screen, or only the window whose
# rectangle the driver output holds. Without a window manager the screen
# behind a window that has gone may keep its old pixels, so the setup dialog
# is cut out on its own.
fs_shot() {
  fs_step=$((fs_step + 1))
  local file="$fs_shots/first-start-$fs_step.png" crop=() x y w h
  if read -r x y w h < <(sed -n 's/^window-rect: //p' <<<"${2:-}"); then
    crop=(-crop "${w}x${h}+${x}+${y}" +repage)
  fi
  import -display "$DISPLAY" -window root "${crop[@]}" "$file"
  echo "Screenshot $fs_step ($1): $file"
}

# fs_login: the main window up, the login typed, saving ticked.
fs_login() {
  local lines=("window class=TRasDialerForm title=\"$fs_title\" visible=1 timeout=60000" idle
    'control class=Edit password=0 visible=1' 'settext demo'
    'control class=Edit password=1' 'settext demo123' 'control id=1007')
  fs_drive "${lines[@]}" 'print state' >"$KVZ_RUN_DIR/first-start-state.txt" || return 1
  grep -q 'checked=1' "$KVZ_RUN_DIR/first-start-state.txt" || fs_drive "${lines[0]}" 'control id=1007' click >/dev/null || return 1
  fs_drive "${lines[0]}" 'control id=1007' 'expect checked 1' repaint >/dev/null
}

first_start_walk() {
  fs_driver="$1" fs_shots="$2"
  local connect='control class=Button text="连  接"' setup='window class=#32770 title="设置本地网络" visible=1 timeout=30000'
  mkdir -p "$fs_shots"
  fs_login || return 1
  fs_shot "the client, login typed"
  fs_drive "window class=TRasDialerForm" "$connect" click \
    'msgbox text="您还没有设置您的本地网络，先请设置！" timeout=20000' repaint >/dev/null || return 1
  fs_shot "Connect: the network type is missing"
  local out
  out="$(fs_drive 'msgbox timeout=5000' msgbox-ok "$setup" idle repaint 'print window-rect')" || return 1
  fs_shot "the client has ended and started setForm.exe" "$out"
  out="$(fs_drive "$setup" 'control class=Button text="内部网络"' click 'expect checked 1' repaint \
    'print window-rect')" || return 1
  fs_shot "内部网络 chosen" "$out"
  fs_drive "$setup" 'control class=Button text="确定"' click 'expect gone timeout=20000' >/dev/null || return 1
  start_client
  fs_login || return 1
  fs_drive "window class=TRasDialerForm" "$connect" click \
    'control class=ListBox' 'expect last-line~ "正在" timeout=20000' repaint >/dev/null || return 1
  fs_shot "started again, Connect: dialling"
  fs_drive "window class=TRasDialerForm title=\"$fs_title - Connected\" timeout=60000" \
    'tray lbuttondblclk' 'expect window-visible 1' 'control class=ListBox' \
    'expect last-line "已经连接"' repaint >/dev/null || return 1
  fs_shot "connected (shown again from the tray)"
}
