#!/usr/bin/env bash
# One clock per user: a second start ends at once with code 0 and leaves no trace; a clock killed
# with SIGKILL does not block the next start.
source "$(dirname "$0")/harness.sh"
desktop_start

clock_windows() {
  local w
  for w in $(xdotool search --onlyvisible --name '^Tickora$' 2>/dev/null); do
    [ "$(window_field "$w" Depth)" = 32 ] && printf '0x%x\n' "$w"
  done
  return 0
}

clock_start
first=$CLOCK_PID
clock_wait_window
first_window=$CLOCK_WINDOW
wait_for "the first clock at its place" -- geometry_is "$first_window" "556 428 166 166"
wait_for "the stored settings" -- conf_is Top 428
stored=$(cat "$CONF")

for attempt in 1 2; do
  clock_start
  wait_exit "$CLOCK_PID" 15
  [ "$EXIT_CODE" -eq 0 ] || fail "start $attempt of a second copy ended with code $EXIT_CODE"
  [ ! -s "$CLOCK_LOG" ] || fail "the second copy was not silent: $(cat "$CLOCK_LOG")"
  process_gone "$first" && fail "the first clock ended"
  [ "$(clock_windows)" = "$first_window" ] || fail "clock windows after a second start: $(clock_windows | tr '\n' ' ')"
  geometry_is "$first_window" "556 428 166 166" || fail "the first clock moved"
  [ "$(cat "$CONF")" = "$stored" ] || fail "the second copy touched the settings"
done
pass "a second copy ends at once with code 0, silently, and the first runs on"

kill -KILL "$first"
wait_exit "$first" 10
wait_for "the killed clock's window to go" -- test -z "$(clock_windows)"
clock_start
third=$CLOCK_PID
clock_wait_window
wait_for "the new clock at the stored place" -- geometry_is "$CLOCK_WINDOW" "556 428 166 166"
pass "after kill -9 the next start runs"

clock_start
wait_exit "$CLOCK_PID" 15
[ "$EXIT_CODE" -eq 0 ] || fail "a copy beside the restarted clock ended with code $EXIT_CODE"
process_gone "$third" && fail "the restarted clock ended"
[ "$(clock_windows)" = "$CLOCK_WINDOW" ] || fail "two clocks after the restart"
pass "the restarted clock holds the lock again"
