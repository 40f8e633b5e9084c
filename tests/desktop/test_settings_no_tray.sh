#!/usr/bin/env bash
# Without a tray host (a plain GNOME session has none) the clock itself leads to the settings and to
# "Close": a right click on the clock opens the tray's menu at the pointer, a double click shows the
# window; locked in place from that menu, a second start unlocks it. When a tray host starts later,
# the icon appears in it.
source "$(dirname "$0")/harness.sh"
source "$HARNESS_DIR/settings_window.sh"
desktop_start --wm

# The clock overlaps the settings window's place: showing the window must still bring it to the front.
readonly LEFT=500 TOP=650 D=166 HUB=83  # the hands' hub is drawn at every time of day
conf_write $(conf_defaults Clock_FF=0 Left=$LEFT Top=$TOP)
clock_start
clock_wait_window
wait_for "the clock at its stored place" -- geometry_is "$CLOCK_WINDOW" "$LEFT $TOP $D $D"
settings_hidden || fail "the settings window is shown at a later start"

# Press at once after moving there, before a frame punches the hole under the pointer.
xdotool mousemove --sync $((LEFT + HUB)) $((TOP + HUB)) click 3
wait_for "the menu from the clock" -- popup_menu_of
read -r mx my _ _ < <(window_geometry "$(popup_menu_of)")
# The menu opens at the pointer (the platform may shift it a pixel or two to keep it on screen).
[ $((mx - LEFT - HUB)) -ge -2 ] && [ $((mx - LEFT - HUB)) -le 2 ] && [ $((my - TOP - HUB)) -ge -2 ] &&
  [ $((my - TOP - HUB)) -le 2 ] || fail "the menu opened at $mx,$my, not at the pointer $((LEFT + HUB)),$((TOP + HUB))"
menu_choose 1  # "Settings"
wait_for "the settings window" -- settings_window
wait_for "the settings window at $SETTINGS_FRAME_LEFT,$SETTINGS_FRAME_TOP" -- \
  test "$(frame_origin "$(settings_window)")" = "$SETTINGS_FRAME_LEFT $SETTINGS_FRAME_TOP"
wait_for "the settings window in front of the clock" -- settings_in_front
pass "a right click on the clock opens the menu at the pointer; Settings shows the window in front"

settings_click 342 252  # "Cancel"
wait_for "the settings window to hide" -- settings_hidden
xdotool mousemove --sync $((LEFT + HUB)) $((TOP + HUB)) click --repeat 2 --delay 60 1
wait_for "the settings window after a double click on the clock" -- settings_window
wait_for "the settings window in front of the clock" -- settings_in_front
pass "a double click on the clock shows the settings window in front"

settings_click 342 252
wait_for "the settings window to hide" -- settings_hidden
xdotool mousemove --sync $((LEFT + HUB)) $((TOP + HUB)) click 3
menu_choose 4  # "Lock in place"
wait_for "the lock stored" -- conf_is Lock_In_Place 1
timeout 15 "${AS_USER[@]}" "$TICKORA" || fail "a second start ended with code $?"
wait_for "the settings window after a second start, in front of the clock" -- settings_in_front
wait_for "the lock undone" -- conf_is Lock_In_Place 0
pass "locked from the clock's menu, a second start shows the settings in front and unlocks it"

settings_click 342 252
wait_for "the settings window to hide" -- settings_hidden
spawn trayer trayer --edge bottom --align right --widthtype request --height 24 --SetDockType true
wait_for "the tray host to own _NET_SYSTEM_TRAY_S0" -- selection_owned _NET_SYSTEM_TRAY_S0
wait_for "the icon in the tray that came later" -- tray_icon_of
pass "a tray host started later gets the icon"

menu_from_tray 6  # "Close"
wait_exit "$CLOCK_PID" 10
[ "$EXIT_CODE" = 0 ] || fail "Close ended the program with code $EXIT_CODE"
pass "Close from the tray's menu ends the program with code 0"
