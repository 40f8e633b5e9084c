#!/usr/bin/env bash
# Dragging with the left button moves the clock and the new place is stored; dropped partly off the
# screen it walks back 2 pixels a tick to 5 or more pixels inside, then stores that place, and never
# stores a place outside the margin. DRAG_WM=--wm runs the same under a window manager.
source "$(dirname "$0")/harness.sh"
# shellcheck disable=SC2086  # empty or one option
desktop_start ${DRAG_WM:-}

readonly D=166 GRIP=83  # the hands' hub: drawn at every time of day, so always grabbable
conf_write_defaults Clock_FF=0 Left=400 Top=300
clock_start
clock_wait_window
wait_for "the clock at its stored place" -- geometry_is "$CLOCK_WINDOW" "400 300 $D $D"

# The store may follow a slow drag, but never holds a place outside the margin.
STORED_SEEN=""
stored_place() { echo "$(conf_get Left) $(conf_get Top)"; }
settled_at() {
  local want=$1 now
  now=$(stored_place)
  STORED_SEEN+="$now;"
  geometry_is "$CLOCK_WINDOW" "$want $D $D" && [ "$now" = "$want" ]
}

# drop_at FROM_LEFT FROM_TOP TO_LEFT TO_TOP FINAL_LEFT FINAL_TOP: drags the clock by its hub from one
# place to another, then waits until window and store both show the final place.
drop_at() {
  local final="$5 $6"
  drag $(($1 + GRIP)) $(($2 + GRIP)) $(($3 + GRIP)) $(($4 + GRIP))
  STORED_SEEN=""
  wait_for "the clock to settle at $final (stored: $(stored_place))" -- settled_at "$final"
  local seen l t
  IFS=';' read -ra seen <<<"$STORED_SEEN"
  for s in "${seen[@]}"; do
    read -r l t <<<"$s"
    if [ "$l" -lt 5 ] || [ "$l" -gt $((SCREEN_W - D - 5)) ] || [ "$t" -lt 5 ] || [ "$t" -gt $((SCREEN_H - D - 5)) ]; then
      fail "stored $s, outside the margin, while walking from $3,$4 to $final"
    fi
  done
}

cases=(
  # from       dropped at    settles at   why
  "400 300     550 400       550 400"   # inside the margin: stays, stored at the next tick
  "550 400     -30 400       6 400"     # 18 ticks of 2 pixels: -28 .. 4, 6
  "6 400       1114 500      1108 500"  # right edge on the screen's edge: W - CW - 6
  "1108 500    1124 -20      1108 6"    # off the right and the top at once
  "1108 6      3 700         5 700"     # L = 3 ends at 5
  "5 700       300 855       300 853"   # bottom: H - CH - 5 = 853 is inside, 855 is not
)
for c in "${cases[@]}"; do
  # shellcheck disable=SC2086
  set -- $c
  drop_at "$@"
  pass "dropped at $3,$4: settled and stored at $5,$6"
done
