#!/usr/bin/env bash
# One clock per user: a second start shows the running clock's settings window and ends with code 0,
# leaving no trace, with or without a display; `--settings` with no clock running starts one and shows
# its settings; a clock killed with SIGKILL does not block the next start. Without any display the clock says
# so in one line and ends with code 1. The options answer beside a running clock; Qt's -display works.
source "$(dirname "$0")/harness.sh"
source "$HARNESS_DIR/settings_window.sh"
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
wait_for "the first start's settings window" -- settings_window
settings_click 342 252  # "Cancel"
wait_for "the first start's settings window to hide" -- settings_hidden "$first"

# no_display_start: starts the program with no display at all, as from a text console.
no_display_start() {
  CLOCK_RUNS=$((CLOCK_RUNS + 1))
  CLOCK_LOG="$TEST_TMP/tickora-$CLOCK_RUNS.log"
  spawn "tickora-$CLOCK_RUNS" env -u DISPLAY -u WAYLAND_DISPLAY "${AS_USER[@]}" "$TICKORA"
  CLOCK_PID=$LAST_PID
}

for attempt in "beside it" "with no display"; do
  if [ "$attempt" = "with no display" ]; then no_display_start; else clock_start; fi
  wait_exit "$CLOCK_PID" 15
  [ "$EXIT_CODE" -eq 0 ] || fail "a second copy $attempt ended with code $EXIT_CODE"
  [ ! -s "$CLOCK_LOG" ] || fail "the second copy was not silent: $(cat "$CLOCK_LOG")"
  process_gone "$first" && fail "the first clock ended"
  [ "$(clock_windows)" = "$first_window" ] || fail "clock windows after a second start: $(clock_windows | tr '\n' ' ')"
  geometry_is "$first_window" "556 428 166 166" || fail "the first clock moved"
  [ "$(cat "$CONF")" = "$stored" ] || fail "the second copy touched the settings"
  wait_for "the first clock's settings window" -- settings_window "$first"
  CLOCK_PID=$first settings_click 342 252
  wait_for "its settings window to hide" -- settings_hidden "$first"
done
pass "a second copy shows the first one's settings window and ends with code 0, silently; the first runs on"

# The options answer beside the running clock, with a display or without one.
for display in "$DISPLAY" ""; do
  version=$(env DISPLAY="$display" "$TICKORA" --version) || fail "--version ended with code $?"
  [[ $version =~ ^Tickora\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "--version printed '$version'"
  env DISPLAY="$display" "$TICKORA" --help | grep -q '^Usage: tickora ' || fail "--help printed no usage"
  code=0
  env DISPLAY="$display" "$TICKORA" --bogus 2>"$TEST_TMP/bogus.err" || code=$?
  [ "$code" = 2 ] && grep -q '^Usage: tickora ' "$TEST_TMP/bogus.err" || fail "--bogus ended with code $code"
done
process_gone "$first" && fail "the first clock ended"
pass "beside it, with or without a display, --version says $version, --help the usage, --bogus ends with code 2"

kill -KILL "$first"
wait_exit "$first" 10
wait_for "the killed clock's window to go" -- test -z "$(clock_windows)"

no_display_start
wait_exit "$CLOCK_PID" 15
[ "$EXIT_CODE" -eq 1 ] || fail "without a display the clock ended with code $EXIT_CODE"
[ "$(wc -l <"$CLOCK_LOG")" -eq 1 ] && grep -q 'needs an X11 display (XWayland serves)' "$CLOCK_LOG" ||
  fail "without a display the clock printed: $(cat "$CLOCK_LOG")"
pass "without a display: one line, code 1: $(cat "$CLOCK_LOG")"

# Qt's -display option names the display where no DISPLAY is set; --settings starts the clock, whose
# settings window shows although this is no first start.
CLOCK_RUNS=$((CLOCK_RUNS + 1))
CLOCK_LOG="$TEST_TMP/tickora-$CLOCK_RUNS.log"
spawn "tickora-$CLOCK_RUNS" env -u DISPLAY "${AS_USER[@]}" "$TICKORA" --settings -display "$DISPLAY"
CLOCK_PID=$LAST_PID
third=$CLOCK_PID
clock_wait_window
wait_for "the new clock at the stored place" -- geometry_is "$CLOCK_WINDOW" "556 428 166 166"
wait_for "the settings window --settings asks for" -- settings_window
pass "after kill -9 the next start runs, on the display -display names, and --settings shows its settings"

clock_start
wait_exit "$CLOCK_PID" 15
[ "$EXIT_CODE" -eq 0 ] || fail "a copy beside the restarted clock ended with code $EXIT_CODE"
process_gone "$third" && fail "the restarted clock ended"
[ "$(clock_windows)" = "$CLOCK_WINDOW" ] || fail "two clocks after the restart"
pass "the restarted clock holds the lock again"
