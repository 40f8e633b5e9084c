#!/usr/bin/env bash
# Without a compositing manager a 32-bit window cannot blend: the clock is then cut to its drawn pixels
# (round, not a black square); once a compositor appears it blends again. A 16-bit window shows colour.
source "$(dirname "$0")/harness.sh"
desktop_start --no-compositor

readonly BG=5b3a6e LEFT=300 TOP=200 D=166
pad_start 0 0 "$SCREEN_W" "$SCREEN_H" "$BG"
conf_write_defaults Clock_FF=20 Left=$LEFT Top=$TOP
mouse_to 5 5
clock_start
clock_wait_window
wait_for "the clock at its stored place" -- geometry_is "$CLOCK_WINDOW" "$LEFT $TOP $D $D"

pixel_at() { convert "$1" -format "%[hex:p{$2,$3}]" info: | cut -c1-6 | tr 'A-F' 'a-f'; }
corners_show_background() {
  local shot corner
  shot=$(screenshot corners)
  for corner in "$LEFT $TOP" "$((LEFT + D - 1)) $TOP" "$LEFT $((TOP + D - 1))" "$((LEFT + D - 1)) $((TOP + D - 1))"; do
    # shellcheck disable=SC2086
    [ "$(pixel_at "$shot" $corner)" = "$BG" ] || return 1
  done
  [ "$(pixel_at "$shot" $((LEFT + D / 2)) $((TOP + D / 2)))" != "$BG" ]
}
wait_for "the corners to show the window below" 10 -- corners_show_background
pass "without a compositor the clock is round: its corners show the window below"

compositor_start
export TICKORA_RENDER="$RENDER"
blended() {
  local before after shot
  before=$(date +%s)
  shot=$(screenshot blended)
  after=$(date +%s)
  "$PYTHON" "$HARNESS_DIR/framecheck.py" blend "$shot" "$LEFT" "$TOP" "$BG" $((before - 1)) "$after" \
    -- --transparency 20 >"$TEST_TMP/match.log" 2>&1
}
wait_for "the clock to blend once the compositor runs" -- blended
corners_show_background || fail "with the compositor the corners no longer show the window below"
pass "with a compositor it blends again: $(cat "$TEST_TMP/match.log")"

desktop_stop
desktop_start --no-compositor --16-bit
# Black below: a window without alpha shows the frame's premultiplied colours, as if blended over black.
pad_start 0 0 "$SCREEN_W" "$SCREEN_H" 000000
conf_write_defaults Clock_FF=0 Left=$LEFT Top=$TOP
clock_start
clock_wait_window
screen_shows_frame 000000 --transparency 0
pass "on a 16-bit screen the clock's 16-bit window shows the composed frame in colour: $(cat "$MATCH_LOG")"
