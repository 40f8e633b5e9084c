#!/usr/bin/env bash
# The mouse goes through the clock where its frame has alpha 0 (outside the round face, and on the
# invisible face of transparency 50) and is taken by the clock where a hand or a marker is drawn.
# Locked in place, the clock takes no click at all, from its start on.
source "$(dirname "$0")/harness.sh"
desktop_start

readonly LEFT=400 TOP=300 D=166
pad_start 0 0 "$SCREEN_W" "$SCREEN_H" 3a3a3a
conf_write_defaults Left=$LEFT Top=$TOP
mouse_to 5 5
clock_start
clock_wait_window
wait_for "the clock at its stored place" -- geometry_is "$CLOCK_WINDOW" "$LEFT $TOP $D $D"

# Parked far away, then brought onto the clock at once (a warp, a touch): from that moment on, no
# transparent pixel takes a click; the second hand alone is drawn but lets clicks through.
mouse_to $((SCREEN_W - 1)) $((SCREEN_H - 1))
sleep 2
mouse_to $((LEFT + D / 2 + 20)) $((TOP + D / 2 + 20))
checks=$("$PYTHON" "$XTOOL" clicks "$CLOCK_WINDOW" 6)
grep -v '^caught 0 ' <<<"$checks" && fail "transparent pixels took clicks: $checks"
pass "the pointer warped onto the clock finds no transparent pixel that takes a click: $(tr '\n' ' ' <<<"$checks")"

# Pixels that stay as they are for the next half minute: plenty for the clicks below.
now=$(date +%s)
spots=$(TICKORA_RENDER="$RENDER" "$PYTHON" "$HARNESS_DIR/framecheck.py" spots "$now" $((now + 30)) --)
spot() { awk -v n="$1" '$1 == n { print $2, $3 }' <<<"$spots"; }
for name in hand sprite clear; do
  [ -n "$(spot "$name")" ] || fail "no $name pixel found in the frames: $spots"
done
read -r hand_x hand_y <<<"$(spot hand)"
read -r sprite_x sprite_y <<<"$(spot sprite)"
read -r clear_x clear_y <<<"$(spot clear)"

# click_at X Y: a left click at a window-relative pixel of the clock.
click_at() { xdotool mousemove $((LEFT + $1)) $((TOP + $2)) click 1; }
pad_count() { grep -cx "press $((LEFT + $1)) $((TOP + $2)) 1" "$PAD_LOG" || true; }
reached_pad() { [ "$(pad_count "$1" "$2")" -ge "${3:-1}" ]; }

click_at 2 2
wait_for "the click on the clock's corner to reach the window below" 10 -- reached_pad 2 2
pass "a click on a corner outside the face reaches the window below"

click_at "$clear_x" "$clear_y"
wait_for "the click on the invisible face to reach the window below" 10 -- reached_pad "$clear_x" "$clear_y"
pass "a click on the invisible face ($clear_x,$clear_y) reaches the window below"

for target in "hand $hand_x $hand_y" "marker $sprite_x $sprite_y"; do
  read -r what x y <<<"$target"
  marks=$(pad_count $((D - 3)) 2)
  click_at "$x" "$y"
  # A later click that does pass marks the point by which the first would have arrived.
  click_at $((D - 3)) 2
  wait_for "the click after it to reach the window below" 10 -- reached_pad $((D - 3)) 2 $((marks + 1))
  reached_pad "$x" "$y" && fail "a click on the $what at $x,$y went through the clock"
  pass "a click on the $what ($x,$y) is the clock's"
done
geometry_is "$CLOCK_WINDOW" "$LEFT $TOP $D $D" || fail "the clicks moved the clock"
pass "clicks without a drag leave the clock in place"

# The clock has no keyboard commands: keys pressed while it has the focus change nothing.
stored=$(cat "$CONF")
xdotool windowfocus --sync "$CLOCK_WINDOW" || fail "the clock window cannot take the focus"
xdotool mousemove $((LEFT + hand_x)) $((TOP + hand_y)) key Left Right Up Down Escape Return space Delete alt+F4 ctrl+q ctrl+w
clock_ticks && clock_ticks || fail "the clock stopped after the keys"
process_gone "$CLOCK_PID" && fail "a key ended the clock"
geometry_is "$CLOCK_WINDOW" "$LEFT $TOP $D $D" || fail "a key moved the clock: $(window_geometry "$CLOCK_WINDOW")"
[ "$(cat "$CONF")" = "$stored" ] || fail "a key changed the stored settings"
pass "keys change nothing"

close_window "$CLOCK_WINDOW"
wait_exit "$CLOCK_PID" 10
conf_write $(conf_defaults Left=$LEFT Top=$TOP) Lock_In_Place=1
clock_start
clock_wait_window
wait_for "the locked clock at its stored place" -- geometry_is "$CLOCK_WINDOW" "$LEFT $TOP $D $D"
now=$(date +%s)
spots=$(TICKORA_RENDER="$RENDER" "$PYTHON" "$HARNESS_DIR/framecheck.py" spots "$now" $((now + 30)) --)
read -r hand_x hand_y <<<"$(spot hand)"
click_at "$hand_x" "$hand_y"
wait_for "the click on a hand of the locked clock to reach the window below" 10 -- reached_pad "$hand_x" "$hand_y"
pass "locked in place at its start, a click on a hand ($hand_x,$hand_y) reaches the window below"
