#!/usr/bin/env bash
# The clock over a desktop of many colours, partly over a window: every pixel is the composed frame
# blended over exactly what lies below. TICKORA_SCREENSHOT_DIR=dir keeps the scene as
# dir/screenshot-desktop.png.
source "$(dirname "$0")/harness.sh"
desktop_start

readonly LEFT=545 TOP=330 D=190
convert -size "${SCREEN_W}x${SCREEN_H}" gradient:'#1d4f73-#e8a86b' -depth 8 "bgra:$TEST_TMP/desk.raw"
pad_start 0 0 "$SCREEN_W" "$SCREEN_H" "$TEST_TMP/desk.raw"
pad_start 380 420 320 200 f2ecdc float  # a window the clock partly covers
mouse_to 5 5

# The screen without the clock, once the compositor has drawn both windows.
settled_screen() {
  local previous="" shot i
  for i in $(seq 40); do
    shot=$(screenshot "desktop-$i")
    if [ -n "$previous" ] && cmp -s <(convert "$previous" rgba:-) <(convert "$shot" rgba:-); then
      echo "$shot"
      return 0
    fi
    previous=$shot
    sleep 0.1
  done
  fail "the screen never settled"
}
under=$(settled_screen)

conf_write_defaults Size=40 Clock_FF=20 Left=$LEFT Top=$TOP
clock_start
clock_wait_window
wait_for "the clock at its stored place" -- geometry_is "$CLOCK_WINDOW" "$LEFT $TOP $D $D"

screen_shows_frame "$under" --size-step 40 --transparency 20
pass "over a gradient and a window: $(cat "$MATCH_LOG")"

# Away from the clock nothing changed.
box="rectangle $LEFT,$TOP $((LEFT + D - 1)),$((TOP + D - 1))"
convert "$SHOT" -fill black -draw "$box" "$TEST_TMP/shot-masked.png"
convert "$under" -fill black -draw "$box" "$TEST_TMP/under-masked.png"
outside=$(compare -metric AE "$TEST_TMP/shot-masked.png" "$TEST_TMP/under-masked.png" null: 2>&1 || true)
[ "$outside" = 0 ] || fail "$outside pixels changed away from the clock"
pass "the rest of the screen is untouched"

if [ -n "${TICKORA_SCREENSHOT_DIR:-}" ]; then
  mkdir -p "$TICKORA_SCREENSHOT_DIR"
  convert "$SHOT" -crop 560x360+360+245 +repage -strip "$TICKORA_SCREENSHOT_DIR/screenshot-desktop.png"
  log "kept the scene in $TICKORA_SCREENSHOT_DIR/screenshot-desktop.png"
fi
