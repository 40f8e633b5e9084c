#!/usr/bin/env bash
# First start under a window manager: a centred, 32-bit, top-most, borderless D x D clock without a
# taskbar entry, and the nine values stored at once; the next start finds them.
source "$(dirname "$0")/harness.sh"
desktop_start --wm

[ ! -e "$CONF" ] || fail "the test must begin without settings"
clock_start
clock_wait_window

# Round(1280 / 2 - 167 / 2) = 556 and Round(1024 / 2 - 167 / 2) = 428; the first frame makes it 166 x 166.
wait_for "the clock at 556,428, 166 x 166" -- geometry_is "$CLOCK_WINDOW" "556 428 166 166"
pass "centred and D x D: $(window_geometry "$CLOCK_WINDOW")"

[ "$(window_field "$CLOCK_WINDOW" Depth)" = 32 ] || fail "the clock window is not 32-bit"
pass "32-bit visual"

state=$(xprop -id "$CLOCK_WINDOW" _NET_WM_STATE)
[[ $state == *_NET_WM_STATE_ABOVE* ]] || fail "the window manager does not keep the clock above: $state"
[[ $state == *_NET_WM_STATE_SKIP_TASKBAR* ]] || fail "the clock would show in a taskbar: $state"
extents=$(xprop -id "$CLOCK_WINDOW" _NET_FRAME_EXTENTS)
[ "$extents" = "_NET_FRAME_EXTENTS(CARDINAL) = 0, 0, 0, 0" ] || fail "the clock has a frame: $extents"
pass "kept above, no taskbar entry, no frame"

# All nine values, with their stored names, right after the start.
expected=$(conf_defaults)
wait_for "the nine values in $CONF" -- conf_is Top 428
while IFS='=' read -r key value; do
  [ "$(conf_get "$key")" = "$value" ] || fail "$key is '$(conf_get "$key" || true)', expected $value"
done <<<"$expected"
pass "stored: $(tr '\n' ' ' <<<"$expected")"

# Top-most: a window opened and clicked later still lies below the clock.
pad_start 400 300 600 500 884422 managed
xdotool windowactivate --sync "$PAD_WINDOW" >/dev/null 2>&1 || xdotool windowraise "$PAD_WINDOW"
stacked_above_pad() {
  local order
  order=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g')
  local pad_at=-1 clock_at=-1 i=0 w
  for w in $order; do
    [ $((w)) -eq $((PAD_WINDOW)) ] && pad_at=$i
    [ $((w)) -eq $((CLOCK_WINDOW)) ] && clock_at=$i
    i=$((i + 1))
  done
  [ "$pad_at" -ge 0 ] && [ "$clock_at" -gt "$pad_at" ]
}
wait_for "the new window to be managed" -- stacked_above_pad
stacked_above_pad || fail "the clock went below a newer window"
pass "stays above a window opened and raised after it"

# A later start is no first start: same place, same values, nothing rewritten.
before=$(cat "$CONF")
kill "$CLOCK_PID"
wait_exit "$CLOCK_PID" 10
clock_start
clock_wait_window
wait_for "the clock at its stored place" -- geometry_is "$CLOCK_WINDOW" "556 428 166 166"
[ "$(cat "$CONF")" = "$before" ] || fail "the second start changed the stored values"
pass "the next start uses the stored place"
