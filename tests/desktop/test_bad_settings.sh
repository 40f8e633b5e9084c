#!/usr/bin/env bash
# Settings the clock cannot read: the error box titled "Tickora" shows the store's own message, the
# clock still starts and ticks (values read before the bad one are used, the rest are defaults), and
# the file is left exactly as it was. Values out of range are brought into range without a word.
source "$(dirname "$0")/harness.sh"
desktop_start

# Each case: name | how the file is made | message expected ("" for none) | clock size D.
cases=(
  "text_size        | $(conf_defaults Size=abc | tr '\n' ';')                       | Invalid data type for 'Size'     | 166"
  "missing_clock_ff | $(conf_defaults Size=20 | grep -v Clock_FF | tr '\n' ';')     | Failed to get data for 'Clock_FF' | 130"
  "too_big_for_32   | $(conf_defaults Size=4294967296 | tr '\n' ';')                | Failed to get data for 'Size'    | 166"
  "torn_file        | Size=3;Algoritm=1                                               | Failed to get data for 'Clock_F' | 79"
  "not_settings     | this is not a settings file;%PDF-1.4                            | Failed to get data for 'Size'    | 166"
  "unreadable       | $(conf_defaults Size=10 | tr '\n' ';')!unreadable             | Failed to get data for 'Size'    | 166"
  "out_of_range     | $(conf_defaults Size=99 Clock_FF=-7 Arrows_Width=-2 | tr '\n' ';') |                           | 220"
)

for c in "${cases[@]}"; do
  IFS='|' read -r name lines message size <<<"$c"
  name=$(xargs <<<"$name")
  message=$(sed 's/^ *//; s/ *$//' <<<"$message")
  size=$(xargs <<<"$size")
  lines=$(sed 's/^ *//; s/ *$//' <<<"$lines")
  mode=""
  if [[ $lines == *'!unreadable' ]]; then
    mode=000
    lines=${lines%!unreadable}
  fi
  rm -rf "$CONF_DIR"
  IFS=';' read -ra values <<<"$lines"
  conf_write "${values[@]}"
  [ -n "$mode" ] && chmod "$mode" "$CONF"
  saved=$(mktemp "$TEST_TMP/saved.XXXXXX")
  cp --preserve=mode "$CONF" "$saved" 2>/dev/null || cat "$CONF" >"$saved"

  clock_start
  if [ -n "$message" ]; then
    wait_for "$name: the error box" -- message_box_of
    box=$(message_box_of)
    message_box_shows "$box" "$message" || fail "$name: the box does not show \"$message\" (see $TEST_TMP/shots)"
    xdotool windowfocus "$box" key Return
    wait_for "$name: the box to close" 10 -- bash -c "! xwininfo -id $box 2>/dev/null | grep -q IsViewable"
  fi
  clock_wait_window
  wait_for "$name: a $size x $size clock" -- bash -c \
    "xwininfo -id $CLOCK_WINDOW | grep -q 'Width: $size' && xwininfo -id $CLOCK_WINDOW | grep -q 'Height: $size'"
  clock_ticks || fail "$name: the clock does not tick"
  message_box_of >/dev/null && fail "$name: an error box came up where none was expected"
  chmod u+r "$CONF"
  cmp -s "$CONF" "$saved" || fail "$name: the settings file was changed"
  pass "$name: ${message:-no message}, a ticking $size x $size clock, the file untouched"

  kill "$CLOCK_PID"
  wait_exit "$CLOCK_PID" 10
done
