#!/usr/bin/env bash
# Two monitors, the primary one on the right at +1280+0: the first start centres the clock on the
# primary and places the settings window at its bottom centre; a clock resting inside the primary keeps
# its place; a place no monitor shows (Left=100000) starts at the primary's nearest edge and walks back
# within a few ticks; a full-screen window on the other monitor leaves it shown. Then the two monitors
# at 100 % and 150 % (QT_SCREEN_SCALE_FACTORS), in both orders: a clock on the other monitor stays
# there. Then two clocks, and the other monitor unplugged.
source "$(dirname "$0")/harness.sh"
source "$HARNESS_DIR/settings_window.sh"
desktop_start --desktop openbox --monitors two

readonly D=166
left=$((PRIMARY_X + 556)) top=$((PRIMARY_Y + 428))
clock_start
clock_wait_window
wait_for "the clock centred on the primary monitor" -- geometry_is "$CLOCK_WINDOW" "$left $top $D $D"
wait_for "the settings window" -- settings_window
frame=$(frame_origin "$(settings_window)")
[ "$frame" = "$((PRIMARY_X + PRIMARY_W / 2 - 190)) $((PRIMARY_Y + PRIMARY_H - 363))" ] ||
  fail "the settings window is at $frame, not at the primary's bottom centre"
pass "first start: the clock at $left,$top and the settings window at $frame, both on the primary monitor"

# restart_with LEFT TOP: the clock started again from this stored place.
restart_with() {
  kill "$CLOCK_PID"
  wait_exit "$CLOCK_PID" 10
  sed -i "s/^Left=.*/Left=$1/; s/^Top=.*/Top=$2/" "$CONF"
  clock_start
  clock_wait_window
}

restart_with 2000 300
wait_for "the clock at its stored place" -- geometry_is "$CLOCK_WINDOW" "2000 300 $D $D"
sleep 1.2  # two ticks
geometry_is "$CLOCK_WINDOW" "2000 300 $D $D" && conf_is Left 2000 || fail "a clock inside the primary moved"
pass "a clock resting inside the primary monitor keeps its place"

# From the edge (2560 - 167, the window's size before the first frame) to 2560 - 166 - 5: two 2-pixel
# steps at 40 ms.
settle=$((PRIMARY_X + PRIMARY_W - D - 5))
restart_with 100000 300
wait_for "the clock back inside the primary" 3 -- geometry_is "$CLOCK_WINDOW" "$settle 300 $D $D"
wait_for "the place stored" 3 -- conf_is Left "$(window_geometry "$CLOCK_WINDOW" | cut -d' ' -f1)"
pass "a place no monitor shows starts at the primary's edge and is back inside within seconds: $(window_geometry "$CLOCK_WINDOW")"

# full_screen_pad X MAP_STATE: an active window full screen on the monitor at X; the clock's state then.
full_screen_pad() {
  pad_start "$1" 100 300 200 446688 managed
  xdotool windowmove --sync "$PAD_WINDOW" "$1" 100  # openbox places a new window where it likes
  xdotool windowactivate --sync "$PAD_WINDOW" >/dev/null 2>&1 || true
  "$PYTHON" "$XTOOL" fullscreen "$PAD_WINDOW" on
  poll 5 geometry_is "$PAD_WINDOW" "$1 0 1280 1024" || fail "the full-screen window is at $(window_geometry "$PAD_WINDOW")"
  sleep 1
  map_state_is "$CLOCK_WINDOW" "$2" || fail "over a full-screen window at $1 the clock is not $2"
  kill "$PAD_PID"
  wait_for "the clock shown again" 2 -- map_state_is "$CLOCK_WINDOW" IsViewable
}
full_screen_pad 0 IsViewable
full_screen_pad 1280 IsUnMapped
echo "Hide_Full_Screen=0" >>"$CONF"
restart_with "$settle" 300
full_screen_pad 1280 IsViewable
pass "a full-screen window hides the clock on its own monitor only, and not with the choice unchecked"

# Two densities through Qt's QT_SCREEN_SCALE_FACTORS. Places are Qt's logical coordinates: each monitor
# keeps its top-left corner and measures itself in its own logical pixels, so they jump where the two
# monitors meet. drawn_at WIDTHS...: the clock is one of these many screen pixels wide (Round(166 x 1.5)
# = 249; a window Qt itself moves at a fractional factor is one pixel narrower, 248).
drawn_at() {
  local size
  size=$(window_geometry "$CLOCK_WINDOW" | cut -d' ' -f3)
  for width in "$@"; do [ "$size" = "$width" ] && return 0; done
  return 1
}
# stored_inside LOGICAL_WIDTH: Left and Top lie inside the primary's margin, the primary being that many
# of Qt's pixels wide (1024 high at 100 %, 683 at 150 %).
stored_inside() {
  local left top high=$((1024 * $1 / 1280))
  left=$(conf_get Left) && top=$(conf_get Top) || return 1
  [ "$left" -ge $((PRIMARY_X + 5)) ] && [ "$left" -le $((PRIMARY_X + $1 - D - 5)) ] &&
    [ "$top" -ge 5 ] && [ "$top" -le $((high - D - 5)) ]
}
# placed_at X Y: the clock's window is at this screen place, whatever its size.
placed_at() { [ "$(window_geometry "$CLOCK_WINDOW" | cut -d' ' -f1,2)" = "$1 $2" ]; }
# rests_and_comes_back: the clock has stopped walking, and a restart shows it at the very same spot.
rests_and_comes_back() {
  local x y _ stored
  read -r x y _ < <(window_geometry "$CLOCK_WINDOW")
  stored="$(conf_get Left) $(conf_get Top)"
  sleep 1.2
  placed_at "$x" "$y" && [ "$(conf_get Left) $(conf_get Top)" = "$stored" ] ||
    fail "the clock at $x,$y, stored at $stored, is still walking"
  # shellcheck disable=SC2086  # two numbers
  restart_with $stored
  wait_for "the restarted clock at $x,$y" -- placed_at "$x" "$y"
}

# The left monitor at 150 %, the primary at 100 %: stored at 300,300 on the left monitor (450,450 on
# the screen), the clock is drawn at 150 % there and stays there, also after a restart.
export QT_SCREEN_SCALE_FACTORS="LEFT=1.5;RIGHT=1"
restart_with 300 300
wait_for "the clock drawn at 150 % on the left monitor" -- drawn_at 248 249
rests_and_comes_back
placed_at 450 450 && conf_is Left 300 && conf_is Top 300 || fail "the clock left the left monitor for $(window_geometry "$CLOCK_WINDOW")"
wait_for "the restarted clock drawn at 150 %" -- drawn_at 248 249
pass "left monitor at 150 %: drawn at its density there and kept there, found there again"

# The primary at 150 %: 853 x 683 of its logical pixels from its corner, the first start centres the
# clock at 1280 + 343, 258 (Round(426.5 - 83.5), Round(341.5 - 83.5)), 249 screen pixels at 1795, 387.
export QT_SCREEN_SCALE_FACTORS="LEFT=1;RIGHT=1.5"
kill "$CLOCK_PID"
wait_exit "$CLOCK_PID" 10
rm -f "$CONF"
clock_start
clock_wait_window
wait_for "the clock centred on the primary at 150 %" -- geometry_is "$CLOCK_WINDOW" "1795 387 249 249"
conf_is Left 1623 && conf_is Top 258 || fail "the first start stored $(conf_get Left),$(conf_get Top)"
# A clock on the left monitor at 100 % stays there; a restart draws it at 100 %.
restart_with 900 300
rests_and_comes_back
conf_is Left 900 && conf_is Top 300 || fail "stored at $(conf_get Left),$(conf_get Top), not 900,300"
wait_for "the clock drawn at 100 % on the left monitor" -- drawn_at $D
pass "primary at 150 %: centred in its own logical pixels and drawn at its density; a clock on the left monitor stays there"
unset QT_SCREEN_SCALE_FACTORS

# Two clocks: the first on the primary where the second would come, the second on the left monitor,
# where it stays. The left monitor unplugged, the second comes onto the primary beside the first, not
# over it, and is stored there.
kill "$CLOCK_PID"
wait_exit "$CLOCK_PID" 10
conf_write_defaults Left=1290 Top=280
printf '\n[Clock2]\n%s\n' "$(conf_defaults Left=1100 Top=300)" >>"$CONF"
clock_start
clock_wait_window
clock_at() { clock_window_at "$@" >/dev/null; }
wait_for "both clocks at their places" -- eval 'clock_at 1290 280 && clock_at 1100 300'
sleep 1.2
clock_at 1100 300 && conf_is Clock2/Left 1100 || fail "the second clock left the left monitor"
pass "a second clock stays on the left monitor, the first on the primary"
xrandr --delmonitor LEFT >>"$TEST_TMP/xrandr.log" 2>&1 || fail "xrandr cannot remove the left monitor"
# stored_beside: the second clock stored inside the primary's margin, clear of the first.
stored_beside() {
  local left top
  left=$(conf_get Clock2/Left) && top=$(conf_get Clock2/Top) || return 1
  [ "$left" -ge $((PRIMARY_X + 5)) ] && [ "$left" -le $((PRIMARY_X + PRIMARY_W - D - 5)) ] &&
    { [ "$left" -ge $((1290 + D)) ] || [ "$((left + D))" -le 1290 ] || [ "$top" -ge $((280 + D)) ] ||
      [ "$((top + D))" -le 280 ]; } && clock_at "$left" "$top"
}
wait_for "the second clock on the primary beside the first" 10 -- stored_beside
clock_at 1290 280 || fail "the first clock moved"
pass "the left monitor unplugged: the second clock comes onto the primary at $(conf_get Clock2/Left),$(conf_get Clock2/Top), beside the first"
