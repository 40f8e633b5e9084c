#!/usr/bin/env bash
# On a desktop at 2x (Xft.dpi 192, how GNOME, XFCE and KDE set a larger scale on X11) and at 1.5x
# (Qt's own QT_SCALE_FACTOR): the clock is Round(D x scale) screen pixels at its stored place times the
# scale, a click on a drawn pixel near its lower right is the clock's, one on a transparent corner
# reaches the window below, a drag moves it by the distance dragged, a restart brings it back there, and
# shown again after a full-screen window it keeps its size and asks for it, in steps of one pixel.
source "$(dirname "$0")/harness.sh"
desktop_start --wm

readonly D=166 LEFT=300 TOP=200
pad_start 0 0 "$SCREEN_W" "$SCREEN_H" 3a3a3a
readonly UNDER_LOG=$PAD_LOG
reached_pad() { grep -qx "press $1 $2 1" "$UNDER_LOG"; }
# The window's input shape has come with its frame: no transparent pixel takes clicks (a busy machine
# may show the window before its first shape).
shape_follows_frame() { "$PYTHON" "$XTOOL" clicks "$CLOCK_WINDOW" 1 | grep -q '^caught 0 '; }

scales=(
  # how             scale  device D
  "xft 192          2      332"
  "qt 1.5           1.5    249"
)
for row in "${scales[@]}"; do
  read -r how value scale size <<<"$row"
  if [ "$how" = xft ]; then
    echo "Xft.dpi: $value" | xrdb -merge
  else
    export QT_SCALE_FACTOR=$value
  fi
  x=$(awk -v l=$LEFT -v s="$scale" 'BEGIN { print int(l * s) }')
  y=$(awk -v t=$TOP -v s="$scale" 'BEGIN { print int(t * s) }')
  conf_write_defaults Clock_FF=0 Left=$LEFT Top=$TOP  # an opaque face: every pixel of the disc is drawn
  mouse_to 5 5
  clock_start
  clock_wait_window
  wait_for "the clock at $x,$y, $size pixels wide, at $how $value" -- geometry_is "$CLOCK_WINDOW" "$x $y $size $size"
  pass "$how $value: $size x $size screen pixels at $x,$y"

  # Near the lower right of the disc, past where a frame of D pixels would end.
  wait_for "the input shape of the $size-pixel frame" -- shape_follows_frame
  inside=$((size * 78 / 100))
  xdotool mousemove $((x + inside)) $((y + inside)) click 1
  xdotool mousemove $((x + size - 2)) $((y + 2)) click 1
  wait_for "the click on the corner to reach the window below" 10 -- reached_pad $((x + size - 2)) $((y + 2))
  reached_pad $((x + inside)) $((y + inside)) && fail "$how $value: a click on the drawn face at $inside,$inside went through"
  pass "$how $value: the drawn lower right is the clock's, a transparent corner lets the click through"

  # Dragged by its centre, 60 and 42 screen pixels: the clock moves as far, and the place it stores
  # is logical (whole logical pixels at both scales, so a restart can find the very same pixel).
  drag $((x + size / 2)) $((y + size / 2)) $((x + size / 2 + 60)) $((y + size / 2 + 42))
  moved="$((x + 60)) $((y + 42)) $size $size"
  wait_for "the clock dragged to $moved" -- geometry_is "$CLOCK_WINDOW" "$moved"
  left=$(awk -v l=$((x + 60)) -v s="$scale" 'BEGIN { print int(l / s) }')
  wait_for "Left=$left stored" -- conf_is Left "$left"
  pass "$how $value: dragged by 60,42 screen pixels, the clock moved as far and stored Left=$left"

  close_window "$CLOCK_WINDOW"
  wait_exit "$CLOCK_PID" 10
  clock_start
  clock_wait_window
  wait_for "the restarted clock at $moved" -- geometry_is "$CLOCK_WINDOW" "$moved"
  pass "$how $value: a restart brings it back to the same place"

  pad_start 100 100 300 200 446688 managed
  xdotool windowactivate --sync "$PAD_WINDOW" >/dev/null 2>&1 || true
  "$PYTHON" "$XTOOL" fullscreen "$PAD_WINDOW" on
  wait_for "$how $value: the clock hidden under the full-screen window" 5 -- map_state_is "$CLOCK_WINDOW" IsUnMapped
  kill "$PAD_PID"
  wait_for "$how $value: the clock shown again" 5 -- map_state_is "$CLOCK_WINDOW" IsViewable
  wait_for "$how $value: the clock shown again at $moved" 5 -- geometry_is "$CLOCK_WINDOW" "$moved"
  hints=$(xprop -id "$CLOCK_WINDOW" WM_NORMAL_HINTS | grep -o -e "imum size: .*" -e "increment.*" | tr '\n' ,)
  [ "$hints" = "imum size: $size by $size,imum size: $size by $size," ] || fail "$how $value: shown again it asks for $hints"
  pass "$how $value: hidden under a full-screen window and shown again, it is $size x $size and asks for that"
  close_window "$CLOCK_WINDOW"
  wait_exit "$CLOCK_PID" 10
  echo "Xft.dpi: 96" | xrdb -merge
  unset QT_SCALE_FACTOR
done
