#!/usr/bin/env bash
# The clock on GNOME under Wayland, where it runs through XWayland: it shows above the focused X11
# window without taking the focus, a drag moves it and the place is kept across a restart, and a click
# on a transparent pixel reaches the X11 window below.
source "$(dirname "$0")/harness.sh"
source "$HARNESS_DIR/wayland.sh"

readonly D=166 HUB=83
active_is() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$(($1))" ]; }
stored_where_it_is() { geometry_is "$CLOCK_WINDOW" "$1 $2 $D $D" && conf_is Left "$1" && conf_is Top "$2"; }
wayland_start gnome

pad_start 0 0 "$SCREEN_W" "$SCREEN_H" 3a3a3a managed
read -r pad_x pad_y pad_w pad_h <<<"$(window_geometry "$PAD_WINDOW")"
wl_click $((pad_x + 10)) $((pad_y + pad_h - 10))
wait_for "the pad to take the focus" -- active_is "$PAD_WINDOW"

LEFT=$((pad_x + 300)) TOP=$((pad_y + 200))
conf_write_defaults Left=$LEFT Top=$TOP
clock_start
clock_wait_window
wait_for "the clock at its stored place" -- geometry_is "$CLOCK_WINDOW" "$LEFT $TOP $D $D"
active_is "$PAD_WINDOW" || fail "the clock took the focus from $PAD_WINDOW as it started"
# A click raises the pad as well: the clock stays above it.
wl_click $((pad_x + 10)) $((pad_y + pad_h - 10))
screen_shows_frame 3a3a3a
pass "started through XWayland ($DISPLAY), the clock shows above the focused X11 window, which keeps the focus"

wl_drag $((LEFT + HUB)) $((TOP + HUB)) $((LEFT + HUB + 120)) $((TOP + HUB + 70))
LEFT=$((LEFT + 120)) TOP=$((TOP + 70))
wait_for "the dragged clock stored where it is ($(window_geometry "$CLOCK_WINDOW"))" -- stored_where_it_is "$LEFT" "$TOP"
close_window "$CLOCK_WINDOW"
wait_exit "$CLOCK_PID" 10
clock_start
clock_wait_window
wait_for "the clock back at $LEFT,$TOP" -- geometry_is "$CLOCK_WINDOW" "$LEFT $TOP $D $D"
screen_shows_frame 3a3a3a
pass "a drag moves the clock; started again, it comes back there"

wl_click $((LEFT + 2)) $((TOP + 2))
wait_for "the click on the clock's corner to reach the window below" 10 -- \
  grep -qx "press $((LEFT + 2)) $((TOP + 2)) 1" "$PAD_LOG"
pass "a click on a transparent pixel of the clock reaches the X11 window below"
