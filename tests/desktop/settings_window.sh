# Helpers for the settings window and tray icon tests; sourced after harness.sh.

readonly SETTINGS_TITLE='^Tickora Settings(: clock [0-9]+.*)?$'
readonly SETTINGS_FRAME_LEFT=$((SCREEN_W / 2 - 190))  # W div 2 - client width div 2
readonly SETTINGS_FRAME_TOP=$((SCREEN_H - 363))       # H - client height - 100
readonly SETTINGS_BORDER=5

# The tray icon of the clock process: a small viewable 24-bit window of that process.
tray_icon_of() {
  local w g
  for w in $(xdotool search --all --onlyvisible --pid "${1:-$CLOCK_PID}" 2>/dev/null); do
    g=$(window_geometry "$w") || continue
    # shellcheck disable=SC2086
    set -- $g
    if [ "$3" -le 48 ] && [ "$4" -le 48 ] && [ "$(window_field "$w" Depth)" != 32 ]; then
      printf '0x%x\n' "$w"
      return 0
    fi
  done
  return 1
}
no_tray_icon() { ! tray_icon_of "$@"; }

# The settings window while it is shown.
settings_window() {
  local w
  w=$(xdotool search --all --onlyvisible --pid "${1:-$CLOCK_PID}" --name "$SETTINGS_TITLE" 2>/dev/null | head -n 1)
  [ -n "$w" ] && printf '0x%x\n' "$w"
}
settings_hidden() { ! settings_window "$@"; }

# The outer frame's top-left of a managed window: its client origin less the frame extents.
frame_origin() {
  local x y w h extents left top
  read -r x y w h < <(window_geometry "$1")
  extents=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p' | tr -d ',')
  read -r left _ top _ <<<"${extents:-0 0 0 0}"
  echo "$((x - left)) $((y - top))"
}

# settings_click X Y: a left click at a point of the settings window's client area (380 x 263, inside
# its 5-pixel border), as the layout gives control positions.
settings_click() {
  local window x y w h
  window=$(settings_window) || fail "the settings window is not shown"
  read -r x y w h < <(window_geometry "$window")
  xdotool mousemove --sync $((x + SETTINGS_BORDER + $1)) $((y + SETTINGS_BORDER + $2)) click 1
}

click_window_centre() {
  local x y w h
  read -r x y w h < <(window_geometry "$1")
  xdotool mousemove --sync $((x + w / 2)) $((y + h / 2)) click "${2:-1}"
}

# The popup menu of the clock process: a viewable override-redirect window that is neither the clock
# nor the tray icon nor the settings window.
popup_menu_of() {
  local w icon
  # The embedded tray icon is override-redirect too.
  icon=$(tray_icon_of "$@") || icon=""
  for w in $(xdotool search --all --onlyvisible --pid "${1:-$CLOCK_PID}" 2>/dev/null); do
    [ "$(printf '0x%x' "$w")" != "$icon" ] || continue
    [ "$(window_field "$w" "Override Redirect State")" = yes ] || continue
    [ "$(window_field "$w" Depth)" != 32 ] || continue
    printf '0x%x\n' "$w"
    return 0
  done
  return 1
}

# menu_choose N: picks item N (1 "Settings", 2 "Add clock", 3 "Start at login", 4 "Lock in place",
# 5 "Hide over full-screen windows", 6 "Close"; a single clock's menu has no "Remove this clock") of the
# open popup menu with the keyboard.
menu_choose() {
  wait_for "the popup menu" -- popup_menu_of
  local keys=() i
  for ((i = 0; i < $1; i++)); do keys+=(Down); done
  xdotool key --delay 60 "${keys[@]}" Return
  # Closed before anything else happens: a menu on its way out would take the next keys.
  wait_for "the popup menu to close" -- no_popup_menu
}
no_popup_menu() { ! popup_menu_of; }

# clock_shows LEFT TOP BACKGROUND RENDER_OPTIONS...: the screen shows the frame composed for these
# settings at the clock's place, within a few seconds.
clock_shows() {
  local left=$1 top=$2 bg=$3 try before after shot
  shift 3
  export TICKORA_RENDER="$RENDER"
  for try in $(seq 12); do
    before=$(date +%s)
    shot=$(screenshot "clock-$try-$RANDOM")
    after=$(date +%s)
    if "$PYTHON" "$HARNESS_DIR/framecheck.py" blend "$shot" "$left" "$top" "$bg" $((before - 1)) "$after" \
      -- "$@" >"$TEST_TMP/match.log" 2>&1; then
      return 0
    fi
    sleep 0.25
  done
  log "last comparison: $(cat "$TEST_TMP/match.log")"
  return 1
}

# stacked_above UPPER LOWER: the window manager stacks client UPPER above client LOWER.
stacked_above() {
  local order upper_at=-1 lower_at=-1 i=0 w
  order=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g')
  for w in $order; do
    [ "$((w))" = "$(($1))" ] && upper_at=$i
    [ "$((w))" = "$(($2))" ] && lower_at=$i
    i=$((i + 1))
  done
  [ "$upper_at" -ge 0 ] && [ "$lower_at" -ge 0 ] && [ "$upper_at" -gt "$lower_at" ]
}

# The shown settings window is active, kept above like the clock, and out of the taskbar.
settings_in_front() {
  local window state
  window=$(settings_window) || return 1
  state=$(xprop -id "$window" _NET_WM_STATE)
  [[ $state == *_NET_WM_STATE_SKIP_TASKBAR* ]] && [[ $state == *_NET_WM_STATE_ABOVE* ]] &&
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$((window))" ] && stacked_above "$window" "$CLOCK_WINDOW"
}

# A right click on the tray icon, until its menu shows: a click right after the last menu closed may
# be taken by Qt for the one that closed it. The pointer leaves the icon first: xdotool's --sync move
# stalls when the pointer is already where it is sent.
open_tray_menu() {
  mouse_to 5 5
  click_window_centre "$(tray_icon_of)" 3
  poll 1 popup_menu_of
}

# menu_from_tray N: item N of the tray icon's menu.
menu_from_tray() {
  wait_for "the tray icon" -- tray_icon_of
  wait_for "the tray icon's menu" -- open_tray_menu
  menu_choose "$1"
}
