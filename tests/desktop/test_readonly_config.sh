#!/usr/bin/env bash
# A configuration directory the clock cannot write: it starts on its defaults (or on what is stored),
# runs and can be dragged; a position it cannot store is reported once, and nothing on disk changes.
# The report's box opens from a tick, and every clock keeps ticking while it is open.
source "$(dirname "$0")/harness.sh"
desktop_start

D=166 GRIP=83

listing() { (cd "$XDG_CONFIG_HOME" && find . -printf '%p %m %s %T@\n' | sort); }

# drag_and_expect_report FROM_LEFT FROM_TOP TO_LEFT TO_TOP: the clock follows the drag, the failed
# position save is reported once, the CLOCKS clocks (1 unless told) tick while the box is open, and the
# clock keeps running where it was left. The save can fail at a tick in the middle of the drag, and the
# report's modal box then ends the drag early: the clock must have left its old place, not necessarily
# reached the new one.
drag_and_expect_report() {
  drag $(($1 + GRIP)) $(($2 + GRIP)) $(($3 + GRIP)) $(($4 + GRIP))
  wait_for "the report of the failed save" -- message_box_of
  box=$(message_box_of)
  local clocks clock
  clocks=$(clock_windows)
  [ "$(wc -l <<<"$clocks")" = "${CLOCKS:-1}" ] || fail "not ${CLOCKS:-1} clocks while the box is open: $clocks"
  for clock in $clocks; do
    clock_ticks "$clock" || fail "clock $clock stopped while the box was open"
  done
  message_box_of >/dev/null || fail "the box closed by itself"
  message_box_shows "$box" "Failed to set data for 'Left'" || fail "the box does not show the failed save"
  xdotool windowfocus "$box" key Return
  wait_for "the box to close" 10 -- bash -c "! xwininfo -id $box 2>/dev/null | grep -q IsViewable"
  local left top
  read -r left top _ <<<"$(window_geometry "$CLOCK_WINDOW")"
  [ "$left $top" != "$1 $2" ] || fail "the clock did not follow the drag"
  [ $(((left - $1) * ($3 - $1))) -ge 0 ] && [ $(((top - $2) * ($4 - $2))) -ge 0 ] ||
    fail "the clock went the wrong way: $left,$top"
  clock_ticks && clock_ticks || fail "the clock stopped after the failed save"
  message_box_of >/dev/null && fail "the failed save was reported again"
  geometry_is "$CLOCK_WINDOW" "$left $top $D $D" || fail "the clock left its place after the failed save"
  log "left at $left,$top"
}

# No settings yet and a configuration home that cannot be written: a first start on the defaults.
chmod 555 "$XDG_CONFIG_HOME"
before=$(listing)
clock_start
clock_wait_window
wait_for "the clock centred on its defaults" -- geometry_is "$CLOCK_WINDOW" "556 428 $D $D"
clock_ticks || fail "the clock does not tick"
message_box_of >/dev/null && fail "an error box came up at the start"
# A first start also opens the settings window; let it come up before the drag.
other_window() { xdotool search --all --onlyvisible --pid "$CLOCK_PID" --name . | grep -qvx "$((CLOCK_WINDOW))"; }
poll 5 other_window || log "note: no settings window at the first start"
[ "$(listing)" = "$before" ] || fail "something was written: $(listing)"
pass "read-only configuration home: a silent first start on the defaults, nothing written"
drag_and_expect_report 556 428 300 200
[ "$(listing)" = "$before" ] || fail "something was written: $(listing)"
pass "dragged: the failed save reported once, the clock runs on, nothing written"
kill "$CLOCK_PID"
wait_exit "$CLOCK_PID" 10

# Stored settings in a directory that cannot be written: they are used, and survive byte for byte.
chmod 755 "$XDG_CONFIG_HOME"
conf_write_defaults Size=40 Algoritm=3 Clock_FF=10 Left=250 Top=150
printf '\n[Clock2]\n%s\n' "$(conf_defaults Left=800 Top=600)" >>"$CONF"
chmod 444 "$CONF"
chmod 555 "$CONF_DIR"
stored=$(cat "$CONF")
before=$(listing)
clock_start
# both_clocks_placed: the first clock (size 40: D = 3 x 40 + 70 = 190) and the second at their places.
both_clocks_placed() {
  CLOCK_WINDOW=$(clock_window_at 250 150) && geometry_is "$CLOCK_WINDOW" "250 150 190 190" &&
    geometry_is "$(clock_window_at 800 600)" "800 600 166 166"
}
wait_for "both clocks at their stored places and sizes" -- both_clocks_placed
clock_ticks || fail "the clock does not tick"
message_box_of >/dev/null && fail "an error box came up at the start"
pass "read-only settings: two clocks used as stored"
D=190 GRIP=95 CLOCKS=2 drag_and_expect_report 250 150 500 300
[ "$(cat "$CONF")" = "$stored" ] || fail "the stored settings changed"
[ "$(listing)" = "$before" ] || fail "the directory changed: $(listing)"
clock_window_at 800 600 >/dev/null || fail "the second clock left its place"
pass "dragged: the failed save reported once, both clocks ticking meanwhile, the settings and the directory untouched"

# Moved by a window manager that reports each step (xfwm4): the report waits for the drop.
desktop_stop
desktop_start --desktop xfce
clock_start
wait_for "both clocks at their stored places" -- both_clocks_placed
xdotool mousemove 345 245 mousedown 1 mousemove 385 245 mousemove 425 245 mousemove 505 245
sleep 1.5  # ticks at rest in the middle of the drag, each trying to store the place
message_box_of >/dev/null && fail "the failed save was reported in the middle of the drag"
xdotool mousemove 595 395 mouseup 1
wait_for "the report of the failed save after the drop" -- message_box_of
[[ $(window_geometry "$CLOCK_WINDOW") == "500 300 "* ]] || fail "the drag ended early: $(window_geometry "$CLOCK_WINDOW")"
pass "window manager's move: the failed save reported once the clock was dropped at 500,300"
