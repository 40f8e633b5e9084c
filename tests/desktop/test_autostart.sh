#!/usr/bin/env bash
# "Start at login" in the clock's menu: chosen, it writes the user's XDG autostart entry, which starts
# the program as it was started (launched as a desktop launches it at login); chosen again, it removes
# the entry. A write that fails is reported in the error box, and the clock runs on.
source "$(dirname "$0")/harness.sh"
source "$HARNESS_DIR/settings_window.sh"
need_programs desktop-file-validate gio
desktop_start --wm --tray

readonly ENTRY="$XDG_CONFIG_HOME/autostart/tickora.desktop"

choose_start_at_login() { menu_from_tray 3; }

# Any clock window on the screen, whoever started it.
any_clock_window() {
  local w
  for w in $(xdotool search --all --onlyvisible --name '^Tickora$' 2>/dev/null); do
    if [ "$(window_field "$w" Depth)" = 32 ]; then
      printf '0x%x\n' "$w"
      return 0
    fi
  done
  return 1
}

clock_start
clock_wait_window
choose_start_at_login
wait_for "the autostart entry" -- test -s "$ENTRY"
desktop-file-validate "$ENTRY" >"$TEST_TMP/validate.log" 2>&1 ||
  fail "desktop-file-validate rejects the entry: $(cat "$TEST_TMP/validate.log")"
program=$(readlink -f "$TICKORA")
[ "$(sed -n 's/^Exec=//p' "$ENTRY")" = "$program" ] || fail "the entry starts $(sed -n 's/^Exec=//p' "$ENTRY")"
pass "Start at login writes a valid entry that names $program"

menu_from_tray 6  # "Close"
wait_exit "$CLOCK_PID" 10
gio launch "$ENTRY" >"$TEST_TMP/gio.log" 2>&1 || fail "gio cannot launch the entry: $(cat "$TEST_TMP/gio.log")"
wait_for "the clock the entry started" -- any_clock_window
CLOCK_WINDOW=$(any_clock_window)
CLOCK_PID=$(xdotool getwindowpid "$CLOCK_WINDOW")
pass "the entry starts the clock as a desktop does at login (process $CLOCK_PID)"

choose_start_at_login
wait_for "the autostart entry to go" -- test ! -e "$ENTRY"
pass "Start at login chosen again removes the entry"

# A file where the autostart folder belongs: no entry can be written, whoever runs the clock.
rmdir "$XDG_CONFIG_HOME/autostart"
touch "$XDG_CONFIG_HOME/autostart"
choose_start_at_login
wait_for "the report of the failed write" -- message_box_of
box=$(message_box_of)
message_box_shows "$box" "Cannot make the folder \"$XDG_CONFIG_HOME/autostart\" for starting at login." ||
  fail "the box does not report the failed write"
xdotool windowfocus "$box" key Return
wait_for "the box to close" 10 -- bash -c "! xwininfo -id $box 2>/dev/null | grep -q IsViewable"
clock_ticks || fail "the clock stopped after the failed write"
[ -f "$XDG_CONFIG_HOME/autostart" ] || fail "the file in the folder's place changed"
pass "a write that fails is reported in the error box and the clock runs on"
