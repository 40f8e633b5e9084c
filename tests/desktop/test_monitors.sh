#!/usr/bin/env bash
# Two monitors, the primary one on the right at +1280+0: the first start centres the clock on the
# primary and places the settings window at its bottom centre; a clock resting inside the primary keeps
# its place; a place no monitor shows (Left=100000) starts at the primary's nearest edge and walks back
# within a few ticks.
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
[ "$frame" = "$((PRIMARY_X + PRIMARY_W / 2 - 190)) $((PRIMARY_Y + PRIMARY_H - 327))" ] ||
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
