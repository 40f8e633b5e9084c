#!/usr/bin/env bash
# The clock over an opaque window: the screen shows the composed frame blended over that window, pixel
# for pixel, and the window's corners (outside the round face) show the window below unchanged; its
# first frame and the seconds after, put through shared memory or, on an X server without it, through
# the socket.
source "$(dirname "$0")/harness.sh"

readonly BG=2a6f4d
readonly LEFT=300 TOP=200 D=166
pixel() { convert "$SHOT" -format "%[hex:p{$1,$2}]" info: | cut -c1-6 | tr 'A-F' 'a-f'; }

for puts in shm socket; do
  if [ "$puts" = shm ]; then desktop_start; else desktop_start --no-shm; fi
  pad_start 0 0 "$SCREEN_W" "$SCREEN_H" "$BG"
  # A half-transparent face (transparency 20) so face, markers and hands all blend.
  conf_write_defaults Clock_FF=20 Left=$LEFT Top=$TOP
  mouse_to 5 5  # the cursor off the clock: no cursor hole in the frame
  clock_start
  clock_wait_window
  wait_for "the clock at its stored place" -- geometry_is "$CLOCK_WINDOW" "$LEFT $TOP $D $D"

  screen_shows_frame "$BG" --transparency 20
  pass "$puts: the screen shows the composed frame blended over the window below: $(cat "$MATCH_LOG")"
  sleep 2.5
  screen_shows_frame "$BG" --transparency 20
  pass "$puts: and the frame of seconds later: $(cat "$MATCH_LOG")"

  for corner in "$LEFT $TOP" "$((LEFT + D - 1)) $TOP" "$LEFT $((TOP + D - 1))" "$((LEFT + D - 1)) $((TOP + D - 1))"; do
    # shellcheck disable=SC2086
    [ "$(pixel $corner)" = "$BG" ] || fail "$puts: corner $corner shows $(pixel $corner), not the window below"
  done
  [ "$(pixel $((LEFT + D / 2)) $((TOP + D / 2)))" != "$BG" ] || fail "$puts: the clock's centre shows only the background"
  pass "$puts: corners show the window below, the centre shows the clock"
  desktop_stop
done
