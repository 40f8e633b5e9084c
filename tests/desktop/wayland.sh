# shellcheck shell=bash disable=SC2034  # many variables here are for the tests that source this file
# Native Wayland desktops for the desktop tests, sourced after harness.sh.
#
# A headless compositor (sway, KWin or GNOME Shell) on one 1280x800 output, with XWayland and a
# session bus of its own; a pointer of the tests' own at the compositor (XTEST reaches X windows only);
# screenshots of the whole layout; a Wayland client that logs its clicks; fullscreen and workspace
# switches (sway and KWin).
#
#   source "$(dirname "$0")/harness.sh"
#   source "$(dirname "$0")/wayland.sh"
#   wayland_start sway|kwin|gnome [--scale N]   skips the test when the compositor is not installed
#   wayland_stop                           ends it, so that another can start
#   wl_click X Y [BUTTON]; wl_drag X1 Y1 X2 Y2; wl_pointer_move X Y
#   wl_screenshot FILE.png
#   wl_client_start X Y W H; wl_client_presses; wl_fullscreen PID; wl_workspace N
#
# Coordinates are the layout's (logical pixels): SCREEN_W x SCREEN_H is 1280x800 divided by the scale.
# DISPLAY is XWayland's, which the clock's Qt takes (QT_QPA_PLATFORM stays xcb).

readonly WLTOOL="$HARNESS_DIR/wltool.py"
# Debian's own Python, which has the dbus module KWin's and GNOME's interfaces need.
readonly WL_PYTHON=/usr/bin/python3
readonly WL_OUTPUT_W=1280 WL_OUTPUT_H=800
# sway refuses to run as root, which the tests are in CI.
readonly WL_USER=tickora-test
WL_DIR="$TEST_TMP/wayland"  # the compositor's files; sway's runtime directory
on_cleanup wl_strays_stop

# wayland_start sway|kwin [--scale N]: the compositor, ready for clients when this returns. Sets
# WAYLAND_COMPOSITOR, WL_COMPOSITOR_PID, SCREEN_W and SCREEN_H (and the variables of desktop_start);
# exports WAYLAND_DISPLAY, DISPLAY (and SWAYSOCK for swaymsg).
wayland_start() {
  local scale=1 started=$SECONDS
  WAYLAND_COMPOSITOR=$1
  shift
  while [ $# -gt 0 ]; do
    case $1 in
      --scale)
        scale=$2
        shift
        ;;
      *) fail "wayland_start: unknown option $1" ;;
    esac
    shift
  done
  local program
  case $WAYLAND_COMPOSITOR in
    sway) program=sway XDG_CURRENT_DESKTOP=sway ;;
    kwin) program=kwin_wayland XDG_CURRENT_DESKTOP=KDE ;;
    gnome) program=gnome-shell XDG_CURRENT_DESKTOP=GNOME ;;
    *) fail "wayland_start: unknown compositor $WAYLAND_COMPOSITOR" ;;
  esac
  command -v "$program" >/dev/null || skip "$program is not installed"
  need_programs dbus-daemon gdbus xhost xprop
  export XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP  # as the compositors' sessions set them
  WL_READY="$WL_DIR/ready"
  mkdir -m 755 "$WL_DIR"
  # Run by the compositor once it is up, with its environment: lets the tests reach its sockets and
  # X server, then says where they are.
  cat >"$WL_DIR/ready.sh" <<'SH'
#!/bin/sh
set -e
[ -z "${SWAYSOCK:-}" ] || chmod 666 "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" "$SWAYSOCK"
xhost "+si:localuser:$WL_TEST_USER" >/dev/null
printf '%s\n' "$DISPLAY" "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" "${SWAYSOCK:-}" >"$WL_READY.new"
mv "$WL_READY.new" "$WL_READY"
SH
  chmod 755 "$WL_DIR/ready.sh"
  session_bus_start
  "${WAYLAND_COMPOSITOR}_start" "$scale"
  WL_COMPOSITOR_PID=$LAST_PID
  wait_for "$WAYLAND_COMPOSITOR to start" -- test -s "$WL_READY"
  local lines
  mapfile -t lines <"$WL_READY"
  DISPLAY=${lines[0]}
  # Clients find the socket in the tests' runtime directory, where a session has it.
  WAYLAND_DISPLAY=$(basename "${lines[1]}")
  [ -e "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] || ln -s "${lines[1]}" "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY"
  export DISPLAY WAYLAND_DISPLAY
  [ -z "${lines[2]}" ] || export SWAYSOCK=${lines[2]}
  wait_for "the XWayland display $DISPLAY" -- xprop -root _NET_NOTHING
  "${WAYLAND_COMPOSITOR}_layout"
  # As desktop_start leaves them: XWayland gives the clock's X window 32 bits, and one monitor.
  CLOCK_DEPTH=32 SCREEN_BITS=""
  PRIMARY_X=0 PRIMARY_Y=0 PRIMARY_W=$SCREEN_W PRIMARY_H=$SCREEN_H
  export PRIMARY_X PRIMARY_Y PRIMARY_W PRIMARY_H
  wl_pointer_start
  log "$WAYLAND_COMPOSITOR up in $((SECONDS - started))s on $WAYLAND_DISPLAY, XWayland $DISPLAY, ${SCREEN_W}x$SCREEN_H"
}

sway_start() {
  need_programs swaymsg grim
  local run_as=()
  if [ "$(id -u)" -eq 0 ]; then
    id -u "$WL_USER" >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$WL_USER" ||
      id -u "$WL_USER" >/dev/null 2>&1 || fail "cannot create the user $WL_USER"
    chown "$WL_USER:" "$WL_DIR"
    chmod 711 "$TEST_TMP"  # sway's user reaches its own directory, and sees nothing else here
    run_as=(setpriv --reuid="$WL_USER" --regid="$WL_USER" --clear-groups)
  fi
  # sway draws the pointer into its pictures: its own cursor, over the desktop, is an empty one.
  mkdir -p "$WL_DIR/icons/none/cursors"
  "$PYTHON" -c 'import struct, sys
image = struct.pack("<9I", 36, 0xFFFD0002, 24, 1, 1, 1, 0, 0, 0) + bytes(4)  # 1x1, transparent
sys.stdout.buffer.write(b"Xcur" + struct.pack("<6I", 16, 0x10000, 1, 0xFFFD0002, 24, 28) + image)' \
    >"$WL_DIR/icons/none/cursors/left_ptr"
  ln -s left_ptr "$WL_DIR/icons/none/cursors/default"
  # Native windows (the test client; it has no app_id) float, without border, from their first frame:
  # tiled, one would keep a surface as large as the output.
  cat >"$WL_DIR/sway.conf" <<CONF
output HEADLESS-1 resolution ${WL_OUTPUT_W}x$WL_OUTPUT_H scale $1
xwayland enable
seat * xcursor_theme none
for_window [shell="xdg_shell"] floating enable, border none
exec $WL_DIR/ready.sh
CONF
  # Its runtime directory is its own: sway's user could not write in the tests'.
  spawn sway env HOME="$WL_DIR" XDG_RUNTIME_DIR="$WL_DIR" XCURSOR_PATH="$WL_DIR/icons" WL_READY="$WL_READY" \
    WL_TEST_USER="$(id -un)" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman WLR_HEADLESS_OUTPUTS=1 \
    "${run_as[@]}" sway -c "$WL_DIR/sway.conf"
}

# GNOME Shell runs no program of ours once it is up: what ready.sh says comes from its log. It starts in
# its overview, and asks a system bus for logind and the like: a second private bus stands for it.
gnome_start() {
  local log="$TEST_TMP/gnome-shell.log" pid display
  export GSETTINGS_BACKEND=memory DBUS_SYSTEM_BUS_ADDRESS="unix:path=$WL_DIR/system_bus"
  # A GNOME session leaves the platform to the program: the clock chooses XWayland itself.
  unset QT_QPA_PLATFORM
  pid=$(dbus-daemon --session --fork --address="$DBUS_SYSTEM_BUS_ADDRESS" --print-pid=1 \
    2>"$TEST_TMP/system-bus.log") || fail "the stand-in system bus did not start"
  STARTED_PIDS+=("$pid")
  spawn gnome-shell gnome-shell --wayland --headless --virtual-monitor "${WL_OUTPUT_W}x$WL_OUTPUT_H" \
    --wayland-display=wayland-tickora --sm-disable
  # mutter picks a free X display and says which; its XWayland takes only clients with its cookie.
  wait_for "the shell to start XWayland" 60 -- grep -q 'Using public X11 display :[0-9]*' "$log"
  display=$(sed -n 's/.*Using public X11 display \(:[0-9]*\).*/\1/p' "$log" | head -n 1)
  XAUTHORITY=$(find "$XDG_RUNTIME_DIR" -maxdepth 1 -name '.mutter-Xwaylandauth.*' | head -n 1)
  export XAUTHORITY
  wait_for "the shell to finish starting" 60 -- grep -q 'GNOME Shell started' "$log"
  wait_for "the overview to close" -- overview_closed
  printf '%s\n' "$display" "$XDG_RUNTIME_DIR/wayland-tickora" "" >"$WL_READY"
}

gnome_layout() {
  wait_for "mutter to manage X windows" -- selection_owned WM_S0
  SCREEN_W=$WL_OUTPUT_W SCREEN_H=$WL_OUTPUT_H
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

# screenshot NAME [WINDOW]: as the harness's, but a rootless XWayland's root holds no pixels: the whole
# screen comes from the compositor.
screenshot() {
  local out="$TEST_TMP/shots/$1.png"
  if [ $# -gt 1 ] || [ -z "${WAYLAND_COMPOSITOR:-}" ]; then
    import -silent -window "${2:-root}" "$out" || fail "screenshot $1 failed"
  else
    wl_screenshot "$out"
  fi
  echo "$out"
}

# wayland_stop: ends the compositor and everything started on it, so that a test can start another.
wayland_stop() {
  desktop_stop
  wl_strays_stop
  rm -rf "$WL_DIR" "${XDG_RUNTIME_DIR:?}/$WAYLAND_DISPLAY"
  unset WAYLAND_DISPLAY SWAYSOCK WAYLAND_COMPOSITOR
}

# What sway started and left (its XWayland) carries sway's runtime directory, not the tests'.
wl_strays_stop() { XDG_RUNTIME_DIR="$WL_DIR" stop_strays; }

# sway_query TYPE EXPRESSION: prints the Python EXPRESSION on the reply to swaymsg -t TYPE (r), with
# nodes(r) every node of a tree.
sway_query() {
  swaymsg -t "$1" -r | "$PYTHON" -c 'import json, sys
nodes = lambda n: [n] + [m for c in n.get("nodes", []) + n.get("floating_nodes", []) for m in nodes(c)]
r = json.load(sys.stdin)
print('"$2"')'
}

sway_layout() {
  local size
  size=$(sway_query get_outputs '"%d %d" % (r[0]["rect"]["width"], r[0]["rect"]["height"])')
  read -r SCREEN_W SCREEN_H <<<"$size"
}

kwin_start() {
  /usr/bin/python3 -c 'import dbus' 2>/dev/null || fail "KWin's screenshots need /usr/bin/python3 with dbus (python3-dbus)"
  # A copy drops the file capability the binary carries, which a container refuses to grant.
  cp "$(command -v kwin_wayland)" "$WL_DIR/kwin_wayland"
  # Its output's size is given in logical pixels.
  local size
  size=$(awk -v s="$1" "BEGIN { print int($WL_OUTPUT_W / s + 0.5), int($WL_OUTPUT_H / s + 0.5) }")
  # Its scripts' print() lines go to its log, where kwin_script reads them.
  spawn kwin env WL_READY="$WL_READY" WL_TEST_USER="$(id -un)" KWIN_COMPOSE=O2 LIBGL_ALWAYS_SOFTWARE=1 \
    KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1 QT_LOGGING_RULES=kwin_scripting=true \
    "$WL_DIR/kwin_wayland" --virtual --xwayland --width "${size% *}" --height "${size#* }" --scale "$1" \
    --socket wayland-tickora --no-lockscreen --no-global-shortcuts "$WL_DIR/ready.sh"
}

kwin_layout() {
  local size
  size=$(kwin_script 'print(R + workspace.virtualScreenSize.width + " " + workspace.virtualScreenSize.height);')
  read -r SCREEN_W SCREEN_H <<<"$size"
}

# kwin_script JS: runs JS in KWin's scripting and prints the lines it printed that begin with R (the
# script's own marker), without it.
kwin_script() {
  local file name log="$TEST_TMP/kwin.log"
  # Named by a file of its own: callers run in subshells, where no counter would last.
  file=$(mktemp "$WL_DIR/script-XXXXXX")
  name=$(basename "$file")
  printf 'var R = "%s: ";\n%s\nprint(R + "done");\n' "$name" "$1" >"$file"
  {
    dbus_call org.kde.KWin /Scripting org.kde.kwin.Scripting.loadScript "$file" "$name" &&
      dbus_call org.kde.KWin /Scripting org.kde.kwin.Scripting.start
  } >/dev/null || fail "KWin does not take a script"
  wait_for "KWin to run its script $name" -- grep -q "^js: $name: done\$" "$log"
  dbus_call org.kde.KWin /Scripting org.kde.kwin.Scripting.unloadScript "$name" >/dev/null
  sed -n "s/^js: $name: //p" "$log" | grep -vx "done" || true
}

# The pointer: wltool.py serving commands on a FIFO, answering on another once the compositor has
# taken the events.
wl_pointer_start() {
  WL_POINTER_IN="$WL_DIR/pointer-in"
  WL_POINTER_OUT="$WL_DIR/pointer-out"
  mkfifo -m 600 "$WL_POINTER_IN" "$WL_POINTER_OUT"
  spawn pointer "$WL_PYTHON" -u "$WLTOOL" serve "$WL_POINTER_IN" "$WL_POINTER_OUT" "$SCREEN_W" "$SCREEN_H"
  WL_POINTER_PID=$LAST_PID
  wait_for "the virtual pointer" -- grep -qx ready "$TEST_TMP/pointer.log"
}

wl_pointer() {
  local reply=""
  # Opened for reading and writing, neither end blocks: a pointer that is gone times out instead.
  printf '%s\n' "$*" 1<>"$WL_POINTER_IN"
  read -r -t 20 reply <>"$WL_POINTER_OUT" || true
  [ "$reply" = ok ] || fail "the pointer did not take \"$*\": ${reply:-no answer}"
}

wl_pointer_move() { wl_pointer move "$1" "$2"; }

# wl_click X Y [BUTTON]: moves there, presses and releases (left unless told).
wl_click() { wl_pointer click "$1" "$2" "${3:-left}"; }

# wl_drag X1 Y1 X2 Y2: presses the left button at (X1, Y1), moves in steps 20 ms apart, releases.
wl_drag() { wl_pointer drag "$@"; }

# wl_screenshot FILE.png: the whole layout, in the output's pixels, without the pointer (on sway it is
# moved away first).
wl_screenshot() {
  case $WAYLAND_COMPOSITOR in
    sway)
      # The pointer shows in sway's picture: it goes to the far corner first.
      wl_pointer_move "$SCREEN_W" "$SCREEN_H"
      grim "$1" || fail "grim took no screenshot"
      ;;
    kwin)
      "$WL_PYTHON" "$WLTOOL" kwin-screenshot "$1" || fail "KWin took no screenshot"
      ;;
    gnome)
      "$WL_PYTHON" "$WLTOOL" gnome-screenshot "$1" || fail "GNOME Shell took no screenshot"
      ;;
  esac
}

# wl_client_start X Y W H: a native Wayland client (weston-eventdemo) without decoration at (X, Y),
# W x H, focused, that logs every button and motion in WL_CLIENT_LOG; its pid in WL_CLIENT_PID. Ready
# once it sees the pointer there, which is left over its top-left corner.
WL_CLIENTS=0
wl_client_start() {
  need_programs weston-eventdemo stdbuf
  WL_CLIENTS=$((WL_CLIENTS + 1))
  spawn "events-$WL_CLIENTS" stdbuf -oL weston-eventdemo --no-border --width "$3" --height "$4" --log-button --log-motion
  WL_CLIENT_PID=$LAST_PID
  WL_CLIENT_LOG="$TEST_TMP/events-$WL_CLIENTS.log"
  wait_for "the client's window at $1,$2" -- "${WAYLAND_COMPOSITOR}_place" "$@"
  wait_for "the client to see the pointer" -- wl_client_sees_pointer "$1" "$2"
}

sway_place() { swaymsg -q "[pid=$WL_CLIENT_PID] move absolute position $1 $2, focus"; }

kwin_place() {
  [ "$(kwin_script "workspace.clientList().forEach(function (c) {
    if (c.pid != $WL_CLIENT_PID) return;
    c.frameGeometry = {x: $1, y: $2, width: $3, height: $4};
    workspace.activeClient = c;
    print(R + 'placed');
  });")" = placed ]
}

# A move one pixel into the client's corner arrives there as (1, 1).
wl_client_sees_pointer() {
  wl_pointer_move $(($1 + 2)) $(($2 + 2))
  wl_pointer_move $(($1 + 1)) $(($2 + 1))
  grep -q 'x: 1.000000, y: 1.000000$' "$WL_CLIENT_LOG"
}

# wl_client_presses: how many button presses the client has seen.
wl_client_presses() { grep -c 'state: pressed' "$WL_CLIENT_LOG" || true; }

# wl_fullscreen PID [enable|disable]: the window of process PID (Wayland or X) fills the output, or no
# longer does.
wl_fullscreen() {
  local state=${2:-enable}
  wait_for "the window of process $1 to $state fullscreen" -- "${WAYLAND_COMPOSITOR}_fullscreen" "$1" "$state"
}

sway_fullscreen() {
  local mode=1
  [ "$2" = enable ] || mode=0
  swaymsg "[pid=$1] fullscreen $2" &&
    [ "$(sway_query get_tree "[n['fullscreen_mode'] for n in nodes(r) if n.get('pid') == $1]")" = "[$mode]" ]
}

kwin_fullscreen() {
  local want=true
  [ "$2" = enable ] || want=false
  [ "$(kwin_script "workspace.clientList().forEach(function (c) {
    if (c.pid != $1) return;
    c.fullScreen = $want;
    print(R + c.fullScreen);
  });")" = "$want" ]
}

# wl_workspace N: makes workspace N (from 1) the current one, adding workspaces as needed.
wl_workspace() { wait_for "workspace $1" -- "${WAYLAND_COMPOSITOR}_workspace" "$1"; }

sway_workspace() {
  swaymsg "workspace number $1" && [ "$(sway_query get_workspaces "[w['num'] for w in r if w['focused']]")" = "[$1]" ]
}

kwin_workspace() {
  [ "$(kwin_script "if (workspace.desktops < $1) workspace.desktops = $1;
    workspace.currentDesktop = $1;
    print(R + workspace.currentDesktop);")" = "$1" ]
}
