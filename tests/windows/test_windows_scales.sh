#!/usr/bin/env bash
# The Windows build under Wine at 144 and 192 DPI (LogPixels, Windows' 150 % and 200 %): the clock is
# Round(166 x scale) screen pixels at its stored place (the virtual screen's own pixels: the same
# spot at every density), drawn at that density; a click on a drawn pixel near its lower right is the
# clock's and one on a transparent corner reaches the window below; the settings window's client area
# and controls grow by the scale. Wine (8.0) fixes a program's DPI when it starts: changing
# LogPixels under a running clock sends it no WM_DPICHANGED and it stays as it was, so a change of the
# monitor's scale under a running clock is tested in the core (tests/FullScreen/test_clock_window.cpp)
# and through the message itself (tests/win32/test_clock_window.cpp).
TICKORA_WINDOWS_BIN=${TICKORA_WINDOWS_BIN:-}
source "$(dirname "$0")/../desktop/harness.sh"
source "$SOURCE_DIR/scripts/wine-session.sh"
readonly EXE="$TICKORA_WINDOWS_BIN/tickora.exe"
[ -f "$EXE" ] || skip "no Windows build at ${TICKORA_WINDOWS_BIN:-(TICKORA_WINDOWS_BIN unset)}; scripts/build-windows.sh makes it"
need_programs wine wineserver

desktop_start --wm
on_cleanup wine_session_stop
wine_session_start "$TEST_TMP/wine" || fail "no Wine prefix"
pad_start 0 0 "$SCREEN_W" "$SCREEN_H" 3a3a3a

# The program's 32-bit window titled Tickora, and its settings window.
clock_window() {
  local w
  for w in $(xdotool search --onlyvisible --name '^Tickora$' 2>/dev/null); do
    if [ "$(window_field "$w" Depth)" = 32 ]; then
      printf '0x%x\n' "$w"
      return 0
    fi
  done
  return 1
}
settings_window() {
  local w
  w=$(xdotool search --onlyvisible --name '^Tickora Settings$' 2>/dev/null | head -n 1)
  [ -n "$w" ] && printf '0x%x\n' "$w"
}
start_clock() {
  spawn tickora-win wine "$EXE"
  CLOCK_PID=$LAST_PID
  wait_for "the clock window" 60 -- clock_window
  CLOCK_WINDOW=$(clock_window)
}
stop_clock() {
  close_window "$CLOCK_WINDOW"
  wait_exit "$CLOCK_PID" 20
}

scales=(
  # dpi  clock  x    y    settings client
  "144   249    150  100  570 394"
  "192   332    150  100  760 526"
)
for row in "${scales[@]}"; do
  read -r dpi size x y width height <<<"$row"
  for key in 'HKCU\Control Panel\Desktop' 'HKCC\Software\Fonts'; do
    wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 || fail "cannot set LogPixels under $key"
  done
  for kv in Size=32 Algoritm=14 Clock_F=11 Clock_FF=0 Seconds=1 Arrows_Width=3 Dig_On_Off=1 Left=150 Top=100; do
    wine reg add 'HKCU\Software\Tickora' /v "${kv%%=*}" /t REG_DWORD /d "${kv#*=}" /f >/dev/null 2>&1 ||
      fail "cannot store ${kv%%=*}"
  done  # an opaque face: every pixel of the disc is drawn
  mouse_to 5 5
  start_clock
  wait_for "the clock $size pixels wide at $x,$y" -- geometry_is "$CLOCK_WINDOW" "$x $y $size $size"
  pass "at $dpi DPI the clock is $size x $size screen pixels at $x,$y"

  inside=$((size * 78 / 100))
  xdotool mousemove $((x + inside)) $((y + inside)) click 1
  xdotool mousemove $((x + size - 2)) $((y + 2)) click 1
  wait_for "the click on the corner to reach the window below" 10 -- grep -qx "press $((x + size - 2)) $((y + 2)) 1" "$PAD_LOG"
  grep -qx "press $((x + inside)) $((y + inside)) 1" "$PAD_LOG" && fail "a click on the drawn face went through the clock"
  pass "at $dpi DPI the drawn lower right is the clock's, a transparent corner lets the click through"
  stop_clock

  # A first start shows the settings window.
  wine reg delete 'HKCU\Software\Tickora' /f >/dev/null 2>&1 || fail "cannot remove the stored settings"
  start_clock
  wait_for "the settings window of the first start" 60 -- settings_window
  wait_for "the settings window $width x $height" -- \
    sh -c "xwininfo -id $(settings_window) | grep -q 'Width: $width\$' && xwininfo -id $(settings_window) | grep -q 'Height: $height\$'"
  pass "at $dpi DPI the settings window's client area is $width x $height for its 380 x 263"
  stop_clock
done
