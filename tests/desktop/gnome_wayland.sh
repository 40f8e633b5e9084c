# shellcheck shell=bash disable=SC2034  # many variables here are for the tests that source this file
# GNOME Shell as a Wayland session for the desktop tests, sourced after harness.sh.
#
# A headless shell on one 1280x800 virtual monitor, with XWayland and a session bus of its own (and a
# second private bus standing for the system bus, which it asks for logind and the like); a pointer
# mutter takes as a real one (XTEST reaches X windows only); screenshots of the whole screen.
#
#   source "$(dirname "$0")/harness.sh"
#   source "$(dirname "$0")/gnome_wayland.sh"
#   gnome_wayland_start        skips the test when gnome-shell or XWayland is not installed
#   gnome_click X Y [BUTTON]; gnome_drag X1 Y1 X2 Y2; gnome_pointer_move X Y
#   screenshot NAME            the whole screen, from the shell
#
# QT_QPA_PLATFORM is unset, as a GNOME session leaves it: the clock chooses XWayland itself.

readonly GNOMETOOL="$HARNESS_DIR/gnometool.py"
readonly GNOME_WAYLAND_DISPLAY=tickora-gnome

# gnome_wayland_start: the shell, ready for clients with the overview closed when this returns. Sets
# GNOME_SHELL_PID and what desktop_start sets (DESKTOP, CLOCK_DEPTH, SCREEN_W, SCREEN_H, PRIMARY_*); exports WAYLAND_DISPLAY, DISPLAY and
# XAUTHORITY.
gnome_wayland_start() {
  local started=$SECONDS log="$TEST_TMP/gnome-shell.log" pid
  command -v gnome-shell >/dev/null || skip "gnome-shell is not installed"
  command -v Xwayland >/dev/null || skip "Xwayland is not installed"
  need_programs dbus-daemon gdbus xprop
  export XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=GNOME
  # GSettings in memory: nothing read from or left in the user's dconf.
  export GSETTINGS_BACKEND=memory
  unset QT_QPA_PLATFORM
  # What desktop_start sets for the other desktops: a 32-bit clock window on a 24-bit screen.
  DESKTOP=gnome-wayland CLOCK_DEPTH=32 SCREEN_BITS="" SCREEN_W=1280 SCREEN_H=800
  PRIMARY_X=0 PRIMARY_Y=0 PRIMARY_W=$SCREEN_W PRIMARY_H=$SCREEN_H
  export PRIMARY_X PRIMARY_Y PRIMARY_W PRIMARY_H
  session_bus_start
  export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$XDG_RUNTIME_DIR/system_bus"
  pid=$(dbus-daemon --session --fork --address="$DBUS_SYSTEM_BUS_ADDRESS" --print-pid=1 \
    2>"$TEST_TMP/system-bus.log") || fail "the stand-in system bus did not start"
  STARTED_PIDS+=("$pid")
  spawn gnome-shell gnome-shell --wayland --headless --virtual-monitor "${SCREEN_W}x$SCREEN_H" \
    --wayland-display="$GNOME_WAYLAND_DISPLAY" --sm-disable
  GNOME_SHELL_PID=$LAST_PID
  export WAYLAND_DISPLAY=$GNOME_WAYLAND_DISPLAY
  # mutter picks a free X display and says which; its XWayland takes only clients with its cookie.
  wait_for "the shell to start XWayland" 60 -- grep -q 'Using public X11 display :[0-9]*' "$log"
  DISPLAY=$(sed -n 's/.*Using public X11 display \(:[0-9]*\).*/\1/p' "$log" | head -n 1)
  XAUTHORITY=$(find "$XDG_RUNTIME_DIR" -maxdepth 1 -name '.mutter-Xwaylandauth.*' | head -n 1)
  export DISPLAY XAUTHORITY
  wait_for "XWayland on $DISPLAY" -- xprop -root _NET_NOTHING
  wait_for "mutter to manage X windows" -- selection_owned WM_S0
  # It opens the overview once it has started; closed after that, it stays closed.
  wait_for "the shell to finish starting" 60 -- grep -q 'GNOME Shell started' "$log"
  wait_for "the overview to close" -- overview_closed
  gnome_pointer_start
  log "GNOME Shell on $WAYLAND_DISPLAY, XWayland on $DISPLAY, up in $((SECONDS - started))s"
}

shell_property() {
  dbus_call org.gnome.Shell /org/gnome/Shell org.freedesktop.DBus.Properties."$1" org.gnome.Shell "${@:2}"
}

# Asks again until it shows: the request is dropped while the shell is still opening it.
overview_closed() {
  [ "$(shell_property Get OverviewActive 2>/dev/null)" = "(<false>,)" ] && return 0
  shell_property Set OverviewActive '<false>' >/dev/null 2>&1
  return 1
}

# The pointer: gnometool.py serving commands on a FIFO, answering on another.
gnome_pointer_start() {
  GNOME_POINTER_IN="$TEST_TMP/pointer-in"
  GNOME_POINTER_OUT="$TEST_TMP/pointer-out"
  mkfifo -m 600 "$GNOME_POINTER_IN" "$GNOME_POINTER_OUT"
  spawn pointer "$PYTHON" -u "$GNOMETOOL" serve "$GNOME_POINTER_IN" "$GNOME_POINTER_OUT" "$SCREEN_W" "$SCREEN_H"
  wait_for "the remote-desktop pointer" -- grep -qx ready "$TEST_TMP/pointer.log"
}

gnome_pointer() {
  local reply=""
  # Opened for reading and writing, neither end blocks: a pointer that is gone times out instead.
  printf '%s\n' "$*" 1<>"$GNOME_POINTER_IN"
  read -r -t 20 reply <>"$GNOME_POINTER_OUT" || true
  [ "$reply" = ok ] || fail "the pointer did not take \"$*\": ${reply:-no answer}"
}

gnome_pointer_move() { gnome_pointer move "$1" "$2"; }
gnome_click() { gnome_pointer click "$1" "$2" "${3:-left}"; }
gnome_drag() { gnome_pointer drag "$@"; }

# screenshot NAME [WINDOW]: the root window of a rootless XWayland holds no pixels, so the whole screen
# comes from the shell; one window's own pixels still come from X.
screenshot() {
  local out="$TEST_TMP/shots/$1.png"
  if [ $# -gt 1 ]; then
    import -silent -window "$2" "$out" || fail "screenshot $1 failed"
  else
    "$PYTHON" "$GNOMETOOL" screenshot "$out" >>"$TEST_TMP/screenshots.log" 2>&1 || fail "screenshot $1 failed"
  fi
  echo "$out"
}
