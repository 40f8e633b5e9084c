#!/usr/bin/env bash
# The settings window through the tray icon, as a user works it: the icon appears; a left click shows
# the window at its place; the skin slider moved with the keyboard changes the clock on screen; "Save
# Settings" writes all nine values; "Cancel" writes nothing; "Close" ends the program with code 0 and
# frees the lock, and the next start shows the stored settings.
source "$(dirname "$0")/harness.sh"
source "$HARNESS_DIR/settings_window.sh"
desktop_start --wm --tray

readonly BG=2a6f4d LEFT=300 TOP=200 D=166
# An opaque face, so a new skin shows on every pixel; no second hand, so the frame changes only with
# the minute.
readonly STORED=(Clock_FF=0 Seconds=0 Left=$LEFT Top=$TOP)
readonly RENDER_STORED=(--transparency 0 --seconds 0 --skin 14 --dial 11)
pad_start $((LEFT - 20)) $((TOP - 20)) $((D + 40)) $((D + 40)) "$BG"
conf_write $(conf_defaults "${STORED[@]}")
mouse_to 5 5
clock_start
clock_wait_window
wait_for "the clock at its stored place" -- geometry_is "$CLOCK_WINDOW" "$LEFT $TOP $D $D"

wait_for "the tray icon" -- tray_icon_of
settings_hidden || fail "the settings window is shown at a later start"
pass "the tray icon is there and the settings window hidden"

click_window_centre "$(tray_icon_of)" 1
wait_for "the settings window" -- settings_window
window=$(settings_window)
wait_for "the settings window at $SETTINGS_FRAME_LEFT,$SETTINGS_FRAME_TOP" -- \
  test "$(frame_origin "$window")" = "$SETTINGS_FRAME_LEFT $SETTINGS_FRAME_TOP"
wait_for "the tray icon to go" -- no_tray_icon
[ "$(window_field "$window" Width) $(window_field "$window" Height)" = "390 273" ] ||
  fail "the settings window is $(window_field "$window" Width) x $(window_field "$window" Height)"
pass "a left click on the icon shows the window at $(frame_origin "$window") and takes the icon away"

wait_for "the settings window in front" -- settings_in_front
pass "the settings window is active, above the top-most clock and has no taskbar button"

clock_shows "$LEFT" "$TOP" "$BG" "${RENDER_STORED[@]}" || fail "the clock does not show the stored settings"
# Focus starts on "Save Settings"; the skin slider is third after it in the tab order.
xdotool key --delay 80 Tab Tab Tab Right
clock_shows "$LEFT" "$TOP" "$BG" --transparency 0 --seconds 0 --skin 15 --dial 11 ||
  fail "the clock does not show skin 15 after the slider moved"
pass "the skin slider moved with the keyboard changes the clock on screen: $(cat "$TEST_TMP/match.log")"

before_save=$(cat "$CONF")
settings_click 58 252  # "Save Settings"
wait_for "Algoritm=15 in the store" -- conf_is Algoritm 15
expected=$(conf_defaults "${STORED[@]}" Algoritm=15)
while IFS='=' read -r key value; do
  [ "$(conf_get "$key")" = "$value" ] || fail "$key is '$(conf_get "$key" || true)', expected $value"
done <<<"$expected"
[ "$(grep -c '=' "$CONF")" = 9 ] || fail "the store holds other than nine values: $(cat "$CONF")"
[ "$before_save" != "$(cat "$CONF")" ] || fail "Save Settings changed nothing"
settings_window >/dev/null || fail "Save Settings closed the window"
no_tray_icon || fail "Save Settings brought the icon back"
pass "Save Settings writes all nine values and the window stays open"

saved=$(cat "$CONF")
# The click left the focus on "Save Settings"; the dial slider is fourth after it.
xdotool key --delay 80 Tab Tab Tab Tab Home
clock_shows "$LEFT" "$TOP" "$BG" --transparency 0 --seconds 0 --skin 15 --dial 0 ||
  fail "the clock does not show dial style 0"
settings_click 342 252  # "Cancel"
wait_for "the settings window to hide" -- settings_hidden
wait_for "the tray icon to come back" -- tray_icon_of
[ "$(cat "$CONF")" = "$saved" ] || fail "Cancel changed the store: $(cat "$CONF")"
clock_shows "$LEFT" "$TOP" "$BG" --transparency 0 --seconds 0 --skin 15 --dial 0 ||
  fail "after Cancel the clock no longer shows the unsaved change"
pass "Cancel hides the window, brings the icon back, writes nothing and the clock keeps the change"

# The window manager's minimise button would leave a window without taskbar button out of reach.
click_window_centre "$(tray_icon_of)" 1
wait_for "the settings window" -- settings_window
sleep 1  # a user minimises a window that has settled; a window manager's own iconic moment comes sooner
xdotool windowminimize "$(settings_window)"
wait_for "the minimised settings window to hide" -- settings_hidden
wait_for "the tray icon after minimising" -- tray_icon_of
click_window_centre "$(tray_icon_of)" 1
wait_for "the settings window in front after minimising" -- settings_in_front
settings_click 342 252  # "Cancel"
wait_for "the tray icon" -- tray_icon_of
pass "minimising the window sends it to the tray, and the icon brings it back"

menu_from_tray 6  # "Close"
wait_exit "$CLOCK_PID" 10
[ "$EXIT_CODE" = 0 ] || fail "Close ended the program with code $EXIT_CODE"
[ "$(cat "$CONF")" = "$saved" ] || fail "Close saved something: $(cat "$CONF")"
[ ! -e "$XDG_RUNTIME_DIR/Tickora.lock" ] || fail "the lock file is still there after Close"
pass "Close ends the program with code 0, frees the lock and saves nothing"

mouse_to 5 5
clock_start
clock_wait_window
wait_for "the clock at its stored place" -- geometry_is "$CLOCK_WINDOW" "$LEFT $TOP $D $D"
clock_shows "$LEFT" "$TOP" "$BG" --transparency 0 --seconds 0 --skin 15 --dial 11 ||
  fail "the next start does not show the stored settings"
pass "the lock was free and the next start shows the stored settings (skin 15, dial 11)"
