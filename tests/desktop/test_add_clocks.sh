#!/usr/bin/env bash
# Clocks added and removed through the menus, as a user does, leave nothing behind: "Add clock" from
# the tray's menu, then "Remove this clock" from the added clock's own menu, answered Yes, ten times;
# the process then holds as many file descriptors as before, and its private memory has not grown.
source "$(dirname "$0")/harness.sh"
source "$HARNESS_DIR/settings_window.sh"
desktop_start --desktop openbox

readonly LEFT=300 TOP=200 ROUNDS=10 MEMORY_SLACK_KB=1024
conf_write_defaults Left=$LEFT Top=$TOP
mouse_to 5 5
clock_start
wait_for "the first clock at its stored place" -- clock_window_at $LEFT $TOP
first=$(clock_window_at $LEFT $TOP)

# The clock window of the process other than the first.
added_clock() { clock_windows | grep -vx "$first"; }
single_clock() { [ "$(clock_windows)" = "$first" ] && ! grep -q '^\[Clock' "$CONF"; }

# A right click on the clock's hub, until its menu shows: once the pointer rests over the clock a frame
# punches a hole under it, and the click would go through.
open_clock_menu() {
  local x y w h
  read -r x y w h < <(window_geometry "$1")
  mouse_to 5 5
  xdotool mousemove --sync $((x + w / 2)) $((y + h / 2)) click 3
  poll 1 popup_menu_of
}

add_and_remove() {
  menu_from_tray 2  # "Add clock"
  wait_for "the added clock" -- added_clock
  local added box
  added=$(added_clock)
  wait_for "the settings window on the added clock" -- settings_window
  settings_click 342 252  # "Cancel"
  wait_for "the settings window to hide" -- settings_hidden
  wait_for "the added clock's menu" -- open_clock_menu "$added"
  menu_choose 3  # "Remove this clock"
  wait_for "the question" -- message_box_of
  box=$(message_box_of)
  xdotool windowfocus --sync "$box" key alt+y
  wait_for "the added clock to go, with its settings" -- single_clock
}

# private_kb: the memory the clock process has written and holds alone, in KiB. Its clean private pages
# are library pages no other process maps at the moment: they come and go with other programs.
private_kb() { awk '/^Private_Dirty:/ { print $2 }' "/proc/$CLOCK_PID/smaps_rollup"; }
fds() { find "/proc/$CLOCK_PID/fd" -mindepth 1 | wc -l; }

# One round first: what the first box, menu and settings window load stays for the program's life.
add_and_remove
fds_before=$(fds) memory_before=$(private_kb)
for ((round = 1; round <= ROUNDS; round++)); do
  add_and_remove
done
pass "$ROUNDS clocks added from the tray's menu and removed from their own menus"

# What a removed clock lets go of may go at the next turn of the event loop.
fds_flat() { [ "$(fds)" -eq "$fds_before" ]; }
memory_flat() { [ "$(private_kb)" -le $((memory_before + MEMORY_SLACK_KB)) ]; }
poll 5 fds_flat || fail "$(fds) file descriptors after $ROUNDS clocks added and removed, $fds_before before: $(ls -l "/proc/$CLOCK_PID/fd")"
poll 5 memory_flat || fail "private memory $(private_kb) KiB after $ROUNDS clocks added and removed, $memory_before KiB before"
pass "$fds_before file descriptors before and after; private memory $memory_before KiB before, $(private_kb) KiB after"
