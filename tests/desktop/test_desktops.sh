#!/usr/bin/env bash
# The clock on the desktops people use, the same steps on each while another program has the focus:
# the first start centred, with the settings window shown and left shown; on every workspace; the tray
# the desktop offers, with the clock's own menu, opening the settings (and from a D-Bus tray's menu,
# starting at login and the lock); hiding over a full-screen window (openbox, mutter); a drag stored where the window really went (nowhere, under a window manager that
# refuses moves); closing through the window manager ends the program and frees the lock; an error box
# opens above the clock. Nothing of a desktop outlives it.
source "$(dirname "$0")/harness.sh"
source "$HARNESS_DIR/settings_window.sh"

readonly D=166 HUB=83  # the hands' hub is drawn at every time of day
readonly AUTOSTART_ENTRY="$XDG_CONFIG_HOME/autostart/tickora.desktop"
# desktop -> the tray it offers: xembed (a system tray), sni (StatusNotifierItems on the bus) or none
declare -A TRAY=([openbox]=xembed [xfce]=sni [kde]=sni [gnome]=none [refusing]=none)
# desktop -> what becomes of the clock's own requests to move: follow, or refused
declare -A MOVES=([openbox]=follow [xfce]=follow [kde]=follow [gnome]=follow [refusing]=refused)

# The settings window is shown and still shown a moment later: a window manager's passing iconic
# state while it takes the window over is no minimise.
settings_stays_shown() {
  wait_for "$1: the settings window" -- settings_window
  sleep 1.5
  settings_window >/dev/null || fail "$1: the settings window went away after it was shown"
}

stored_where_it_is() {
  geometry_is "$CLOCK_WINDOW" "$1 $2 $D $D" && conf_is Left "$1" && conf_is Top "$2"
}

# Clicks "Cancel" until the window hides: mutter takes no clicks for a moment after a workspace switch.
cancel_settings() {
  settings_window >/dev/null && settings_click 342 252
  poll 1 settings_hidden
}

focus_elsewhere() { xdotool windowactivate --sync "$PAD_WINDOW" >/dev/null 2>&1 || true; }

for desktop in openbox xfce kde gnome refusing; do
  desktop_start --desktop "$desktop"
  pad_start 20 40 300 200 446688 managed
  focus_elsewhere
  rm -rf "$CONF_DIR"
  labels=""
  left=$((PRIMARY_X + 556)) top=$((PRIMARY_Y + 428))  # centred: Round(W / 2 - 167 / 2)

  clock_start
  clock_wait_window
  wait_for "$desktop: the clock centred" -- geometry_is "$CLOCK_WINDOW" "$left $top $D $D"
  settings_stays_shown "$desktop"
  pass "$desktop: first start centred at $left,$top, the settings window shown and left shown"

  if [ "$desktop" != refusing ]; then
    desktop_on_workspace 1
    wait_for "$desktop: the clock on workspace 1" 5 -- on_current_workspace "$CLOCK_WINDOW"
    desktop_on_workspace 0
    pass "$desktop: the clock is on every workspace"
  fi

  wait_for "$desktop: Cancel to hide the settings window" -- cancel_settings
  focus_elsewhere
  case ${TRAY[$desktop]} in
    xembed)
      wait_for "$desktop: the icon in the system tray" -- tray_icon_of
      click_window_centre "$(tray_icon_of)" 1
      ;;
    sni)
      wait_for "$desktop: the clock's StatusNotifierItem" -- sni_item_of_clock
      labels=$(sni_menu_labels | tr '\n' '/')
      [ "$labels" = "Settings/Add clock/Start at login/Lock in place/Hide over full-screen windows/Close/" ] || fail "$desktop: the tray's menu offers '$labels'"
      # The tray's own menu reaches the same item: it writes the login entry; removed behind the clock's
      # back, the item shows it unchecked when the menu opens, so choosing it writes the entry again;
      # once more removes it.
      sni_menu_click "Start at login"
      wait_for "$desktop: the autostart entry from the tray's menu" -- test -f "$AUTOSTART_ENTRY"
      rm "$AUTOSTART_ENTRY"
      sni_menu_click "Start at login"
      wait_for "$desktop: the autostart entry written again from the tray's menu" -- test -f "$AUTOSTART_ENTRY"
      sni_menu_click "Start at login"
      wait_for "$desktop: the autostart entry removed from the tray's menu" -- test ! -e "$AUTOSTART_ENTRY"
      sni_menu_click "Lock in place"
      wait_for "$desktop: the lock stored" -- conf_is Lock_In_Place 1
      sni_menu_click "Lock in place"
      wait_for "$desktop: the lock undone from the tray" -- conf_is Lock_In_Place 0
      sni_activate
      ;;
    none)
      xdotool mousemove --sync $((left + HUB)) $((top + HUB)) click --repeat 2 --delay 60 1
      ;;
  esac
  settings_stays_shown "$desktop"
  pass "$desktop: the way to the settings (tray: ${TRAY[$desktop]}) shows them${labels:+; the menu in the tray offers $labels}"
  wait_for "$desktop: Cancel to hide the settings window" -- cancel_settings

  if [ "$desktop" = openbox ] || [ "$desktop" = gnome ]; then
    focus_elsewhere
    "$PYTHON" "$XTOOL" fullscreen "$PAD_WINDOW" on
    wait_for "$desktop: the clock hidden over the active full-screen window" 5 -- map_state_is "$CLOCK_WINDOW" IsUnMapped
    "$PYTHON" "$XTOOL" fullscreen "$PAD_WINDOW" off
    wait_for "$desktop: the clock back" 2 -- map_state_is "$CLOCK_WINDOW" IsViewable
    [ "$(xdotool getactivewindow)" = "$((PAD_WINDOW))" ] || fail "$desktop: the clock took the focus as it came back"
    pass "$desktop: the clock hides while the active window is full screen, and comes back without the focus"
  fi

  drag $((left + HUB)) $((top + HUB)) $((left + HUB + 100)) $((top + HUB + 60))
  if [ "${MOVES[$desktop]}" = follow ]; then
    wait_for "$desktop: the dragged clock stored where it is ($(window_geometry "$CLOCK_WINDOW"))" -- \
      stored_where_it_is $((left + 100)) $((top + 60))
    pass "$desktop: a drag moves the clock and stores where it went"
  else
    sleep 1.5
    geometry_is "$CLOCK_WINDOW" "$left $top $D $D" || fail "$desktop: the clock moved to $(window_geometry "$CLOCK_WINDOW")"
    conf_is Left "$left" && conf_is Top "$top" || fail "$desktop: stored $(conf_get Left),$(conf_get Top), a place the clock never reached"
    pass "$desktop: a refused move stores nothing"
  fi

  close_window "$CLOCK_WINDOW"
  wait_exit "$CLOCK_PID" 10
  [ "$EXIT_CODE" = 0 ] || fail "$desktop: closing the clock ended the program with code $EXIT_CODE"
  sed -i 's/^Size=.*/Size=abc/' "$CONF"
  clock_start
  wait_for "$desktop: the error box after a restart" -- message_box_of
  clock_wait_window
  if [ "$desktop" != refusing ]; then
    wait_for "$desktop: the error box above the clock" 5 -- stacked_above "$(message_box_of)" "$CLOCK_WINDOW"
  fi
  pass "$desktop: closing the clock through the window manager ends it with code 0; the next start runs and its error box comes above the clock"

  desktop_stop
  left_over=$(test_processes)
  [ -z "$left_over" ] || fail "still running after $desktop ended: $(ps -o pid=,args= -p "${left_over//$'\n'/,}")"
done
