#!/usr/bin/env bash
# On a Wayland compositor with the layer shell (sway, KWin) the clock is a native surface: drawn at its
# stored place above the focused window, on every workspace, under a full-screen one; clicks on its
# transparent pixels reach the Wayland window below; a drag by a numeral moves it, partly off the
# output it walks back, and the place is stored and kept after a restart; its menu opens beside it
# and locks it; a clock added and removed from the menus leaves no object the compositor still talks
# to; at scale 2 it and a second clock are drawn at twice their size.
source "$(dirname "$0")/harness.sh"
source "$(dirname "$0")/wayland.sh"
source "$(dirname "$0")/settings_window.sh"

readonly LEFT=300 TOP=200
export TICKORA_RENDER="$RENDER"
now=$(date +%s)
spots=$("$PYTHON" "$HARNESS_DIR/framecheck.py" spots "$now" $((now + 60)) --)
spot() { awk -v n="$1" '$1 == n { print $2, $3 }' <<<"$spots"; }
read -r sprite_x sprite_y <<<"$(spot sprite)"
read -r clear_x clear_y <<<"$(spot clear)"
[ -n "$sprite_x" ] && [ -n "$clear_x" ] || fail "no numeral or clear pixel found in the frames: $spots"

# drawn_at X Y BACKGROUND [RENDER_OPTIONS...]: the screen shows the clock's frame at (X, Y) in the
# output's pixels over BACKGROUND (a screenshot without the clock, or a colour).
drawn_at() {
  local t
  wl_screenshot "$TEST_TMP/shots/now.png"
  t=$(date +%s)
  "$PYTHON" "$HARNESS_DIR/framecheck.py" blend "$TEST_TMP/shots/now.png" "$1" "$2" "$3" $((t - 2)) "$t" -- "${@:4}" \
    >/dev/null
}
# The colour of the desktop's corner, where no window is.
desktop_colour() { convert "$1" -crop 1x1+2+2 -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}' | tr -d '#'; }
presses_over() { [ "$(wl_client_presses)" -gt "$1" ]; }
# Events the clock's connection received for objects it had let go (WAYLAND_DEBUG's log), from line $1.
discarded_since() { tail -n "+$1" "$CLOCK_LOG" | grep -c ' discarded ' || true; }

# Dropped with the pointer at the output's right edge, the clock walks back 2 pixels a tick until it
# is 5 or more pixels inside.
readonly DROP=$((1280 - 1 - sprite_x)) INSIDE=$((1280 - 166 - 5))
readonly X=$((DROP - 2 * ((DROP - INSIDE + 1) / 2))) Y=$((TOP + 100))
for compositor in sway kwin; do
  wayland_start "$compositor"
  wl_client_start 0 0 "$SCREEN_W" "$SCREEN_H"
  wl_screenshot "$TEST_TMP/shots/below.png"
  conf_write_defaults Left=$LEFT Top=$TOP
  clock_start
  wait_for "the clock drawn at its place above the focused window on $compositor" -- \
    drawn_at $LEFT $TOP "$TEST_TMP/shots/below.png"
  pass "on $compositor the clock is drawn at its stored place, above the focused window"

  wl_drag $((LEFT + sprite_x)) $((TOP + sprite_y)) $((SCREEN_W - 1)) $((Y + sprite_y))
  wait_for "the walk back stored" -- conf_is Left $X
  conf_is Top $Y || fail "the walk back was stored at $(conf_get Left),$(conf_get Top)"
  kill "$CLOCK_PID"
  wait_exit "$CLOCK_PID" 10
  wl_screenshot "$TEST_TMP/shots/below.png"
  clock_start env WAYLAND_DEBUG=1
  wait_for "the clock back where it was dropped" -- drawn_at $X $Y "$TEST_TMP/shots/below.png"
  pass "on $compositor a drag by a numeral moves the clock; dropped partly off the output it walks back; the place is stored and kept after a restart"

  presses=$(wl_client_presses)
  wl_click $((X + 2)) $((Y + 2))
  wl_click $((X + clear_x)) $((Y + clear_y))
  wait_for "both clicks on transparent pixels to reach the window below" 10 -- presses_over $((presses + 1))
  wl_click $((X + sprite_x)) $((Y + sprite_y))
  wl_click $((X + 2)) $((Y + 2))
  wait_for "the click after the one on a numeral" 10 -- presses_over $((presses + 2))
  presses_over $((presses + 3)) && fail "a click on a numeral went through the clock"
  pass "on $compositor clicks on transparent pixels reach the Wayland window below, one on a numeral is the clock's"

  wl_workspace 2
  wl_screenshot "$TEST_TMP/shots/workspace.png"
  wait_for "the clock on workspace 2" -- \
    drawn_at $X $Y "$(desktop_colour "$TEST_TMP/shots/workspace.png")"
  wl_workspace 1
  pass "on $compositor the clock shows on workspace 2"

  wl_fullscreen "$WL_CLIENT_PID"
  presses=$(wl_client_presses)
  wl_click $((X + sprite_x)) $((Y + sprite_y))
  wait_for "a click on the clock's numeral to reach the full-screen window" 10 -- presses_over "$presses"
  drawn_at $X $Y "$TEST_TMP/shots/below.png" && fail "the clock is drawn over the full-screen window"
  pass "on $compositor a full-screen window covers the clock"
  wl_fullscreen "$WL_CLIENT_PID" disable

  # Added from the clock's menu, then removed from its own: its pointer and surfaces go with it, and
  # the compositor sends nothing more to them however the pointer moves over the clocks.
  wl_click $((X + sprite_x)) $((Y + sprite_y)) right
  menu_choose 2  # "Add clock"
  wait_for "the added clock stored" -- grep -q '^\[Clock2\]' "$CONF"
  wait_for "the settings window on the added clock" -- settings_window
  settings_click 342 252  # "Cancel"
  wait_for "the settings window to hide" -- settings_hidden
  read -r left2 top2 < <(echo "$(conf_get Clock2/Left) $(conf_get Clock2/Top)")
  wait_for "the added clock drawn at $left2,$top2" -- drawn_at "$left2" "$top2" "$TEST_TMP/shots/below.png"
  wl_click $((left2 + sprite_x)) $((top2 + sprite_y)) right
  menu_choose 3  # "Remove this clock"
  wait_for "the question" -- message_box_of
  xdotool windowfocus --sync "$(message_box_of)" key alt+y
  wait_for "the added clock's section deleted" -- bash -c "! grep -q '^\[Clock2\]' '$CONF'"
  mark=$(($(wc -l <"$CLOCK_LOG") + 1))
  for _ in 1 2 3; do
    wl_pointer_move $((left2 + 83)) $((top2 + 83))
    wl_pointer_move $((X + 83)) $((Y + 83))
    wl_pointer_move $((X + 90)) $((Y + 90))
    wl_pointer_move 5 5
  done
  wl_click $((X + sprite_x)) $((Y + sprite_y))
  wait_for "the clock to have the pointer's last events" -- bash -c "tail -n +$mark '$CLOCK_LOG' | grep -q 'wl_pointer@[0-9]*.button'"
  # A few may have been on their way as the clock went.
  [ "$(discarded_since "$mark")" -le 4 ] || fail "$(discarded_since "$mark") events came to a removed clock's objects"
  pass "on $compositor a clock added and removed from the menus leaves the compositor nothing to talk to"

  wl_click $((X + sprite_x)) $((Y + sprite_y)) right
  wait_for "the clock's menu" -- popup_menu_of
  read -r mx my mw mh < <(window_geometry "$(popup_menu_of)")
  [ $((mx + mw)) -le $X ] || [ "$mx" -ge $((X + 166)) ] || fail "the menu at $mx,$my ${mw}x$mh covers the clock"
  menu_choose 4  # "Lock in place"
  wait_for "the lock stored" -- conf_is Lock_In_Place 1
  presses=$(wl_client_presses)
  wl_click $((X + sprite_x)) $((Y + sprite_y))
  wait_for "a click on the locked clock's numeral to reach the window below" 10 -- presses_over "$presses"
  pass "on $compositor a right click opens the clock's menu beside it; locked from it, the clock lets every click through"
  wayland_stop

  # At scale 2 the layout is 640 x 400 logical pixels and the clock 332 device ones across; a second
  # clock is a second surface of the same connection.
  wayland_start "$compositor" --scale 2
  conf_write_defaults Left=100 Top=50
  printf '\n[Clock2]\n%s\n' "$(conf_defaults Left=400 Top=50)" >>"$CONF"
  wl_screenshot "$TEST_TMP/shots/empty.png"
  clock_start
  wait_for "the clock drawn at scale 2" -- drawn_at 200 100 "$(desktop_colour "$TEST_TMP/shots/empty.png")" --scale 2
  wait_for "the second clock drawn at scale 2" -- drawn_at 800 100 "$(desktop_colour "$TEST_TMP/shots/empty.png")" --scale 2
  pass "on $compositor at scale 2 two clocks are drawn at 332 device pixels, each at its place times 2"
  wayland_stop
done
