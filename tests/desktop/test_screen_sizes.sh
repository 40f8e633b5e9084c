#!/usr/bin/env bash
# The first start centres the clock on screens of several sizes, rounding halves to even; on a screen
# too low for the clock and its margin the clock stays put and stores nothing more.
source "$(dirname "$0")/harness.sh"

# screen | stored left and top after the first start (D = 167 for the centring; on a screen at most
# 167 high, D = H) | where the window stays
cases=(
  "1920x1080 | 876 456 | 876 456"  # 876.5 and 456.5 go to the even neighbour
  "1366x768  | 600 300 | 600 300"
  "800x600   | 316 216 | 316 216"
  "640x160   | 240 0   | 240 0"    # no inside position vertically: each tick goes 2 up and 2 back
)
for c in "${cases[@]}"; do
  IFS='|' read -r screen stored stays <<<"$c"
  screen=$(xargs <<<"$screen")
  stored=$(xargs <<<"$stored")
  stays=$(xargs <<<"$stays")
  desktop_start --size "$screen"
  rm -rf "$CONF_DIR"
  clock_start
  clock_wait_window
  wait_for "$screen: the clock at $stays" -- geometry_is "$CLOCK_WINDOW" "$stays 166 166"
  wait_for "$screen: the first-start values" -- conf_is Top "${stored#* }"
  [ "$(conf_get Left) $(conf_get Top)" = "$stored" ] || fail "$screen: stored $(conf_get Left) $(conf_get Top)"
  saved=$(cat "$CONF")
  clock_ticks && clock_ticks && clock_ticks || fail "$screen: the clock does not tick"
  geometry_is "$CLOCK_WINDOW" "$stays 166 166" || fail "$screen: the clock moved to $(window_geometry "$CLOCK_WINDOW")"
  [ "$(cat "$CONF")" = "$saved" ] || fail "$screen: the store changed while the clock stood still"
  pass "$screen: centred at $stored, stays at $stays, nothing stored after the start"
  desktop_stop
done
