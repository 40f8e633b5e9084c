#!/usr/bin/env bash
# The wall clock set back an hour under a running clock, then forward: the clock shows the new time and
# goes on ticking every second. The clock's process reads the wall clock through a preloaded library
# (wall_offset.c) that adds the offset written in a file of this test's; its monotonic clock runs on.
# A set clock's notice from the kernel (timerfd's cancel on set) does not come from a preload: the
# ticks alone must find the new time.
source "$(dirname "$0")/harness.sh"
need_programs cc
desktop_start
readonly BG=2a6f4d LEFT=300 TOP=200 D=166
pad_start 0 0 "$SCREEN_W" "$SCREEN_H" "$BG"
conf_write_defaults Left=$LEFT Top=$TOP
mouse_to 5 5  # off the clock: it ticks on the second, and its frame has no cursor hole

preload="$TEST_TMP/wall_offset.so"
cc -std=c11 -O2 -shared -fPIC -o "$preload" "$HARNESS_DIR/wall_offset.c" >"$TEST_TMP/wall-offset-build.log" 2>&1 ||
  fail "cannot build the wall clock's offset library"
offset_file="$TEST_TMP/wall-offset"
# set_wall_offset SECONDS: the file replaced whole, so the clock never reads half of it.
set_wall_offset() {
  echo "$1" >"$offset_file.new" && mv "$offset_file.new" "$offset_file"
  WALL_OFFSET=$1
}
# Five new pictures in a row, each within a few seconds of the last.
keeps_ticking() { for _ in 1 2 3 4 5; do clock_ticks || return 1; done; }

set_wall_offset 0
clock_start env LD_PRELOAD="$preload" TICKORA_WALL_OFFSET_FILE="$offset_file"
clock_wait_window
wait_for "the clock at its stored place" -- geometry_is "$CLOCK_WINDOW" "$LEFT $TOP $D $D"
screen_shows_frame "$BG"
clock_ticks || fail "the clock does not tick"
pass "the clock runs on its wall clock: $(cat "$MATCH_LOG")"

for offset in -3600 3600 0; do
  set_wall_offset "$offset"
  screen_shows_frame "$BG"
  keeps_ticking || fail "the clock stopped after its wall clock was set to ${offset}s off"
  pass "wall clock set to ${offset}s off: the clock shows it and ticks on: $(cat "$MATCH_LOG")"
done
