# shellcheck shell=bash disable=SC2034  # many variables here are for the tests that source this file
# Desktop test harness, sourced by tests/desktop/test_*.sh.
#
# Gives every test its own X server (Xvfb, 24-bit, Composite), a compositing manager so 32-bit windows
# blend, and on request a tray host and a window manager, or one of the desktops people use (with its
# own session bus); its own XDG directories; helpers to start the clock, find its window and read what
# a user would see; and a trap that ends exactly the processes it started.
#
#   source "$(dirname "$0")/harness.sh"
#   desktop_start [--wm] [--tray [--tray-width N]] | [--desktop openbox|xfce|kde|gnome] [--monitors one|two]
#                 [--no-shm]
#   clock_start; clock_wait_window; ...
#   pass "message"          (or fail "message", which ends the test)
#   skip "reason"           ends a test that cannot run here; on_cleanup FUNCTION runs FUNCTION at the end

set -euo pipefail

SCREEN_W=1280
SCREEN_H=1024
readonly DEFAULT_TIMEOUT=20
HARNESS_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
readonly HARNESS_DIR
readonly XTOOL="$HARNESS_DIR/xtool.py"
SOURCE_DIR=${TICKORA_SOURCE_DIR:-$(cd "$HARNESS_DIR/../.." && pwd)}
BIN_DIR=${TICKORA_BIN:-$SOURCE_DIR/build}
TICKORA="$BIN_DIR/tickora"
RENDER="$BIN_DIR/tickora-render"

PYTHON=python3
command -v python3 >/dev/null || PYTHON=/usr/bin/python3

TEST_NAME=$(basename "${0%.sh}")
TEST_TMP=$(mktemp -d "${TMPDIR:-/tmp}/tickora-$TEST_NAME.XXXXXX")
chmod 700 "$TEST_TMP"
mkdir -m 700 "$TEST_TMP/config" "$TEST_TMP/runtime" "$TEST_TMP/shots" "$TEST_TMP/cache" "$TEST_TMP/data"
export XDG_CONFIG_HOME="$TEST_TMP/config"
export XDG_RUNTIME_DIR="$TEST_TMP/runtime"
export XDG_CACHE_HOME="$TEST_TMP/cache"
export XDG_DATA_HOME="$TEST_TMP/data"
CONF_DIR="$XDG_CONFIG_HOME/Tickora"
CONF="$CONF_DIR/Tickora.conf"

# Qt must take the X server we start, never the user's session. The session bus address is where a
# desktop's bus listens; nothing does unless one is started, so the clock meets no bus and takes the
# XEmbed tray (an unset address would let libdbus launch a stray bus through X).
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY SESSION_MANAGER QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS XDG_CURRENT_DESKTOP \
  XDG_SESSION_TYPE KDE_FULL_SESSION KDE_SESSION_VERSION GSETTINGS_BACKEND
export DBUS_SESSION_BUS_ADDRESS="unix:path=$XDG_RUNTIME_DIR/bus"
export QT_AUTO_SCREEN_SCALE_FACTOR=0
export QT_ACCESSIBILITY=0
export NO_AT_BRIDGE=1

STARTED_PIDS=()
CHECKS=0

log() { printf '[%s] %s\n' "$TEST_NAME" "$*" >&2; }

fail() {
  log "FAIL: $*"
  local f
  for f in "$TEST_TMP"/*.log; do
    [ -s "$f" ] || continue
    log "--- $(basename "$f")"
    tail -n 20 "$f" >&2 || true
  done
  if [ -f "$CONF" ]; then
    log "--- $CONF"
    cat "$CONF" >&2 || true
  fi
  exit 1
}

pass() {
  CHECKS=$((CHECKS + 1))
  log "ok: $*"
}

# Ends every process this test started, newest first.
stop_started() {
  local i pid
  for ((i = ${#STARTED_PIDS[@]} - 1; i >= 0; i--)); do
    pid=${STARTED_PIDS[i]}
    if ! process_gone "$pid"; then
      kill -TERM "$pid" 2>/dev/null || true
      for _ in $(seq 30); do
        process_gone "$pid" && break
        sleep 0.1
      done
      process_gone "$pid" || kill -KILL "$pid" 2>/dev/null || true
    fi
    wait "$pid" 2>/dev/null || true
  done
  STARTED_PIDS=()
}

# Processes still running that this test started, directly or not (helpers a desktop's bus activated
# detach themselves): they carry its XDG_RUNTIME_DIR. Builtins only, so the scan meets no helper of its
# own.
test_processes() {
  local dir pid entry marker="XDG_RUNTIME_DIR=$XDG_RUNTIME_DIR"
  for dir in /proc/[0-9]*; do
    pid=${dir#/proc/}
    case $pid in "$$" | "$BASHPID") continue ;; esac
    while IFS= read -r -d '' entry; do
      if [ "$entry" = "$marker" ]; then
        echo "$pid"
        break
      fi
    done 2>/dev/null <"$dir/environ" || true
  done
}

# Ends what is left of this test's processes after stop_started.
stop_strays() {
  local pids
  mapfile -t pids < <(test_processes)
  [ ${#pids[@]} -gt 0 ] || return 0
  STARTED_PIDS=("${pids[@]}")
  stop_started
}

# on_cleanup FUNCTION: FUNCTION runs when the test ends, passed, failed or interrupted, once its
# processes are stopped.
CLEANUP_FUNCTIONS=()
on_cleanup() { CLEANUP_FUNCTIONS+=("$1"); }

# skip REASON: ends a test that cannot run here (ctest shows it as skipped).
skip() {
  log "SKIP: $*"
  exit 77
}

# Ends what this test started, then removes its files (TICKORA_KEEP_TMP=1 keeps them).
harness_cleanup() {
  local status=$? f
  set +e
  stop_started
  stop_strays
  for f in "${CLEANUP_FUNCTIONS[@]}"; do
    "$f"
  done
  chmod -R u+rwX "$TEST_TMP" 2>/dev/null
  if [ "${TICKORA_KEEP_TMP:-0}" = 1 ]; then
    log "files kept in $TEST_TMP"
  else
    rm -rf "$TEST_TMP"
  fi
  if [ "$status" -eq 0 ]; then
    log "passed ($CHECKS checks)"
  fi
  exit "$status"
}
trap harness_cleanup EXIT
trap 'exit 130' INT TERM

# True once a process has ended (a zombie not yet collected counts as ended).
process_gone() {
  local state
  state=$(ps -o stat= -p "$1" 2>/dev/null) || return 0
  [[ $state == Z* ]]
}

# Runs "$@" in the background, remembered for the cleanup; the pid is left in LAST_PID.
spawn() {
  local logname=$1
  shift
  "$@" >"$TEST_TMP/$logname.log" 2>&1 &
  LAST_PID=$!
  STARTED_PIDS+=("$LAST_PID")
}

# wait_for DESCRIPTION [TIMEOUT] -- COMMAND...: polls COMMAND every 50 ms until it succeeds.
wait_for() {
  local what=$1 timeout=$DEFAULT_TIMEOUT
  shift
  if [ "$1" != "--" ]; then
    timeout=$1
    shift
  fi
  shift
  local deadline=$((SECONDS + timeout))
  until "$@" >/dev/null 2>&1; do
    [ "$SECONDS" -lt "$deadline" ] || fail "timed out after ${timeout}s waiting for $what"
    sleep 0.05
  done
}

# Like wait_for but returns 1 on timeout instead of failing.
poll() {
  local timeout=$1
  shift
  local deadline=$((SECONDS + timeout))
  until "$@" >/dev/null 2>&1; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}

selection_owned() { [ "$("$PYTHON" "$XTOOL" owner "$1")" != "0x0" ]; }

# desktop_stop: ends the desktop and everything started on it, with the helpers its bus started, so
# that a test can start another.
desktop_stop() {
  stop_started
  stop_strays
  rm -f "$XDG_RUNTIME_DIR/bus"
  unset DISPLAY XDG_CURRENT_DESKTOP XDG_SESSION_TYPE KDE_FULL_SESSION KDE_SESSION_VERSION GSETTINGS_BACKEND
  DESKTOP=""
}

# compositor_start: a compositing manager, so 32-bit windows blend with what lies below.
compositor_start() {
  if command -v picom >/dev/null; then
    spawn compositor picom --config /dev/null --backend xrender
  elif command -v xcompmgr >/dev/null; then
    spawn compositor xcompmgr -n
  else
    fail "no compositing manager (picom or xcompmgr) is installed"
  fi
  COMPOSITOR_PID=$LAST_PID
  wait_for "the compositor to own _NET_WM_CM_S0" -- selection_owned _NET_WM_CM_S0
}

need_programs() {
  local p
  for p in "$@"; do
    command -v "$p" >/dev/null || fail "$p is not installed (scripts/install-deps.sh --tests installs it)"
  done
}

# desktop_start [--wm] [--tray] [--size WxH] [--no-compositor] [--desktop NAME] [--monitors one|two]:
# X server (1280x1024 unless told, 24-bit unless --16-bit), a compositor unless told not to, and the
# optional window manager and tray host. --desktop starts one as its session does, ready for use when this returns:
#   openbox  openbox, picom and an XEmbed tray (trayer), as --wm --tray
#   xfce     xfwm4 compositing, xfce4-panel at the top; its tray hosts StatusNotifierItems
#   kde      kwin_x11 compositing with OpenGL, xfce4-panel at the bottom as the StatusNotifierItem host
#   gnome    mutter, always compositing; no tray at all
#   refusing a window manager that refuses every move a client asks for (as Wayland compositors may
#            treat X11 clients), picom, no tray
# xfce, kde and gnome run on a session bus of their own, which the clock joins.
# --monitors two: a 2560x1024 screen of two 1280x1024 monitors, the primary one on the right.
# Sets DESKTOP and PRIMARY_X PRIMARY_Y PRIMARY_W PRIMARY_H (the primary monitor).
desktop_start() {
  local want_wm=0 want_tray=0 want_compositor=1 monitors=one tray_width=() xvfb_options=() depth=24
  CLOCK_DEPTH=32 SCREEN_BITS=""  # the depth of the clock's window; the screen's bits of colour if fewer
  DESKTOP=""
  SCREEN_W=1280
  SCREEN_H=1024
  while [ $# -gt 0 ]; do
    case $1 in
      --wm) want_wm=1 ;;
      --tray) want_tray=1 ;;
      --no-compositor) want_compositor=0 ;;
      --no-shm) xvfb_options+=(-extension MIT-SHM) ;;  # clients put their pictures through the socket
      --16-bit) depth=16 CLOCK_DEPTH=16 SCREEN_BITS=565 ;;  # Qt makes every window 16-bit there
      --tray-width)
        # A tray of fixed width: Wine's icons miss their clicks in one that grows with them.
        tray_width=(--widthtype pixel --width "$2")
        shift
        ;;
      --size)
        SCREEN_W=${2%x*}
        SCREEN_H=${2#*x}
        shift
        ;;
      --desktop)
        DESKTOP=$2
        shift
        ;;
      --monitors)
        monitors=$2
        shift
        ;;
      *) fail "desktop_start: unknown option $1" ;;
    esac
    shift
  done
  case $DESKTOP in
    "") ;;
    openbox) want_wm=1 want_tray=1 ;;
    refusing) ;;
    xfce | kde | gnome) want_compositor=0 ;;  # the window manager composites
    *) fail "desktop_start: unknown desktop $DESKTOP" ;;
  esac
  case $monitors in
    one) PRIMARY_X=0 PRIMARY_Y=0 PRIMARY_W=$SCREEN_W PRIMARY_H=$SCREEN_H ;;
    two) SCREEN_W=2560 SCREEN_H=1024 PRIMARY_X=1280 PRIMARY_Y=0 PRIMARY_W=1280 PRIMARY_H=1024 ;;
    *) fail "desktop_start: --monitors takes one or two, not $monitors" ;;
  esac
  export PRIMARY_X PRIMARY_Y PRIMARY_W PRIMARY_H
  need_programs Xvfb xdotool xwininfo xprop import convert

  local fd_file="$TEST_TMP/displayfd"
  : >"$fd_file"
  spawn xvfb Xvfb -displayfd 5 -screen 0 "${SCREEN_W}x${SCREEN_H}x$depth" +extension Composite +extension GLX \
    -nolisten tcp -noreset "${xvfb_options[@]}" 5>"$fd_file"
  XVFB_PID=$LAST_PID
  wait_for "Xvfb to report its display" -- grep -q '^[0-9]' "$fd_file"
  DISPLAY=":$(head -n 1 "$fd_file" | tr -d '[:space:]')"
  export DISPLAY
  wait_for "the display $DISPLAY" -- xprop -root _NET_NOTHING
  log "X server on $DISPLAY"

  if [ "$monitors" = two ]; then
    monitors_start
  fi

  case $DESKTOP in
    xfce | kde | gnome) session_start ;;
  esac

  if [ "$want_wm" = 1 ]; then
    need_programs openbox
    spawn openbox openbox --sm-disable
    wait_for "openbox to own WM_S0" -- selection_owned WM_S0
  fi
  if [ "$DESKTOP" = refusing ]; then
    spawn refusing-wm "$PYTHON" -u "$XTOOL" refusing-wm
    wait_for "the window manager that refuses moves" -- grep -qx ready "$TEST_TMP/refusing-wm.log"
  fi

  if [ "$want_compositor" = 1 ]; then
    compositor_start
  fi

  if [ "$want_tray" = 1 ]; then
    need_programs trayer
    [ ${#tray_width[@]} -gt 0 ] || tray_width=(--widthtype request)
    spawn trayer trayer --edge bottom --align right "${tray_width[@]}" --height 24 --SetDockType true
    wait_for "the tray host to own _NET_SYSTEM_TRAY_S0" -- selection_owned _NET_SYSTEM_TRAY_S0
  fi
}

# Splits the screen into two monitors. The screen's one output goes with the primary monitor: left to
# itself, it would stay a third monitor spanning the whole screen.
monitors_start() {
  need_programs xrandr
  local output
  output=$(xrandr --listmonitors | awk 'NR == 2 {print $NF}')
  {
    xrandr --setmonitor '*RIGHT' 1280/338x1024/270+1280+0 "$output" &&
      xrandr --setmonitor LEFT 1280/338x1024/270+0+0 none
  } >>"$TEST_TMP/xrandr.log" 2>&1 || fail "xrandr cannot split the screen into two monitors"
  [ "$(xrandr --listmonitors | head -n 1)" = "Monitors: 2" ] || fail "the screen shows $(xrandr --listmonitors)"
}

# The session of a desktop that lives on D-Bus: the variables its session manager sets, then its bus,
# window manager and panel.
session_start() {
  need_programs dbus-daemon gdbus
  export XDG_SESSION_TYPE=x11
  # GSettings read and written in a file of the test's own, never the user's dconf.
  export GSETTINGS_BACKEND=keyfile
  case $DESKTOP in
    xfce) export XDG_CURRENT_DESKTOP=XFCE ;;
    kde) export XDG_CURRENT_DESKTOP=KDE KDE_FULL_SESSION=true KDE_SESSION_VERSION=5 ;;
    gnome) export XDG_CURRENT_DESKTOP=GNOME ;;
  esac
  session_bus_start
  case $DESKTOP in
    xfce)
      need_programs xfwm4
      spawn xfwm4 xfwm4 --compositor=on
      ;;
    kde)
      need_programs kwin_x11
      spawn kwin env KWIN_COMPOSE=O2 kwin_x11 --replace
      ;;
    gnome)
      need_programs mutter gsettings
      # GNOME Shell's defaults for a GNOME session make mutter's workspaces dynamic, which only the shell
      # adds: mutter alone would keep one and refuse requests for more.
      gsettings set org.gnome.mutter dynamic-workspaces false
      spawn mutter mutter --x11 --replace --sm-disable
      ;;
  esac
  wait_for "the window manager to own WM_S0" -- selection_owned WM_S0
  wait_for "the window manager to composite" -- selection_owned _NET_WM_CM_S0
  case $DESKTOP in
    xfce) panel_start top ;;
    kde) panel_start bottom ;;
  esac
}

# A session bus at the address the harness exports; the clock started later joins it.
session_bus_start() {
  local pid
  rm -f "$XDG_RUNTIME_DIR/bus"
  pid=$(dbus-daemon --session --fork --address="$DBUS_SESSION_BUS_ADDRESS" --print-pid=1 \
    2>"$TEST_TMP/dbus.log") || fail "the session bus did not start"
  STARTED_PIDS+=("$pid")
  BUS_PID=$pid
}

# panel_start top|bottom: xfce4-panel along that edge of the primary monitor, holding the window list,
# the workspaces and the tray; ready once its tray hosts StatusNotifierItems and it shows.
panel_start() {
  need_programs xfce4-panel
  local p=6 dir="$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml"
  [ "$1" = top ] || p=8  # the panel's snap positions: 6 along the top, 8 along the bottom
  mkdir -p "$dir"
  # Written beforehand, so the panel finds a configuration and asks nothing at its first start.
  cat >"$dir/xfce4-panel.xml" <<XML
<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfce4-panel" version="1.0">
  <property name="configver" type="int" value="2"/>
  <property name="panels" type="array">
    <value type="int" value="1"/>
    <property name="panel-1" type="empty">
      <property name="position" type="string" value="p=$p;x=0;y=0"/>
      <property name="length" type="uint" value="100"/>
      <property name="position-locked" type="bool" value="true"/>
      <property name="output-name" type="string" value="Primary"/>
      <property name="size" type="uint" value="26"/>
      <property name="icon-size" type="uint" value="16"/>
      <property name="plugin-ids" type="array">
        <value type="int" value="1"/>
        <value type="int" value="2"/>
        <value type="int" value="3"/>
        <value type="int" value="4"/>
      </property>
    </property>
  </property>
  <property name="plugins" type="empty">
    <property name="plugin-1" type="string" value="tasklist"/>
    <property name="plugin-2" type="string" value="separator">
      <property name="expand" type="bool" value="true"/>
      <property name="style" type="uint" value="0"/>
    </property>
    <property name="plugin-3" type="string" value="pager"/>
    <property name="plugin-4" type="string" value="systray">
      <property name="square-icons" type="bool" value="true"/>
    </property>
  </property>
</channel>
XML
  spawn xfce4-panel xfce4-panel
  PANEL_PID=$LAST_PID
  wait_for "the panel's tray to host StatusNotifierItems" -- sni_host_registered
  wait_for "the panel to show" -- panel_window
}

# The panel's window while it is viewable.
panel_window() {
  local w
  w=$(xdotool search --all --onlyvisible --classname '^xfce4-panel$' 2>/dev/null | head -n 1)
  [ -n "$w" ] && printf '0x%x\n' "$w"
}

# desktop_on_workspace N: makes workspace N (from 0) the current one, first adding workspaces when
# there are fewer than N + 1 (and at least two).
desktop_on_workspace() {
  local want=$(($1 + 1))
  [ "$want" -ge 2 ] || want=2
  wait_for "$want workspaces" -- workspaces_added "$want"
  wait_for "workspace $1" -- workspace_switched "$1"
}

# Asks again until there are that many: mutter can drop a request, as it does a switch.
workspaces_added() {
  [ "$(xdotool get_num_desktops 2>/dev/null)" -ge "$1" ] && return 0
  xdotool set_num_desktops "$1"
  return 1
}

# Asks again until the switch shows: mutter has been seen to drop a request.
workspace_switched() {
  [ "$(xdotool get_desktop 2>/dev/null)" = "$1" ] && return 0
  xdotool set_desktop "$1"
  return 1
}

# on_current_workspace WINDOW: the window manager keeps WINDOW on the current workspace or on all. The
# map state cannot tell: KWin and mutter leave the windows of other workspaces mapped.
on_current_workspace() {
  local desktop
  desktop=$(xprop -id "$1" _NET_WM_DESKTOP 2>/dev/null | sed -n 's/.* = //p')
  [ -n "$desktop" ] || return 1
  [ "$desktop" = 4294967295 ] || [ "$desktop" = "$(xdotool get_desktop 2>/dev/null)" ]
}

# close_window WINDOW: asks WINDOW to close as a window manager does (WM_DELETE_WINDOW).
close_window() { "$PYTHON" "$XTOOL" close "$1"; }

# StatusNotifierItem tray (xfce, kde): what the clock publishes on the session bus, and the calls a
# tray host makes on it.

# dbus_call DEST PATH METHOD ARGS...: one method call on the session bus; prints the reply.
dbus_call() { gdbus call --session --timeout 5 --dest "$1" --object-path "$2" --method "$3" "${@:4}"; }

dbus_property() { dbus_call "$1" "$2" org.freedesktop.DBus.Properties.Get "$3" "$4"; }

watcher_property() {
  dbus_property org.kde.StatusNotifierWatcher /StatusNotifierWatcher org.kde.StatusNotifierWatcher "$1"
}

sni_host_registered() { [ "$(watcher_property IsStatusNotifierHostRegistered 2>/dev/null)" = "(<true>,)" ]; }

# sni_find [PID]: sets SNI_SERVICE and SNI_PATH to the item process PID (default CLOCK_PID) registered
# with the watcher; returns 1 when it has none.
sni_find() {
  local pid=${1:-$CLOCK_PID} reply item
  reply=$(watcher_property RegisteredStatusNotifierItems 2>/dev/null) || return 1
  # Each item is "SERVICE" or "SERVICE/OBJECT/PATH".
  for item in $(grep -o "'[^']*'" <<<"$reply" | tr -d "'"); do
    SNI_SERVICE=${item%%/*}
    SNI_PATH=/StatusNotifierItem
    [ "$item" = "$SNI_SERVICE" ] || SNI_PATH=/${item#*/}
    if [ "$(dbus_call org.freedesktop.DBus /org/freedesktop/DBus \
      org.freedesktop.DBus.GetConnectionUnixProcessID "$SNI_SERVICE" 2>/dev/null)" = "(uint32 $pid,)" ]; then
      return 0
    fi
  done
  return 1
}

# sni_item_of_clock [PID]: prints "SERVICE PATH" of the clock's StatusNotifierItem, or fails.
sni_item_of_clock() {
  sni_find "$@" || return 1
  echo "$SNI_SERVICE $SNI_PATH"
}

# sni_find_menu: sni_find, then sets SNI_MENU to the object path of the item's menu ("/NO_DBUSMENU"
# when it exports none).
sni_find_menu() {
  local reply
  sni_find || return 1
  reply=$(dbus_property "$SNI_SERVICE" "$SNI_PATH" org.kde.StatusNotifierItem Menu) || return 1
  SNI_MENU=$(sed -n "s/^(<objectpath '\(.*\)'>,)\$/\1/p" <<<"$reply")
  [ -n "$SNI_MENU" ]
}

# sni_menu_path: the object path of the clock item's menu.
sni_menu_path() {
  sni_find_menu || return 1
  echo "$SNI_MENU"
}

# sni_menu_items: "ID<tab>LABEL" for each visible top-level item of the item's menu (separators and
# hidden items left out, mnemonic marks removed), read as a host does before showing the menu.
sni_menu_items() {
  local layout
  sni_find_menu && [ "$SNI_MENU" != /NO_DBUSMENU ] || return 1
  dbus_call "$SNI_SERVICE" "$SNI_MENU" com.canonical.dbusmenu.AboutToShow 0 >/dev/null || return 1
  layout=$(dbus_call "$SNI_SERVICE" "$SNI_MENU" com.canonical.dbusmenu.GetLayout 0 1 "['type', 'label', 'visible']") ||
    return 1
  "$PYTHON" - "$layout" <<'PY'
import re
import sys

# The root's children, one level deep: <(ID, {PROPERTIES}, @av [])>
for item_id, props in re.findall(r"<\((\d+), \{(.*?)\}, (?:@av )?\[\]\)>", sys.argv[1]):
    if "'visible': <false>" in props or "'type': <'separator'>" in props:
        continue
    label = re.search(r"'label': <'((?:[^'\\]|\\.)*)'>", props)
    text = re.sub(r"\\(.)", r"\1", label.group(1)) if label else ""
    print(item_id + "\t" + re.sub(r"_(.)", r"\1", text))
PY
}

# sni_menu_labels: the labels of the menu's top-level items, one a line.
sni_menu_labels() {
  local items
  items=$(sni_menu_items) || return 1
  cut -f 2- <<<"$items"
}

# sni_menu_click LABEL: clicks the menu item LABEL, as the host does when the user picks it.
sni_menu_click() {
  local items id
  items=$(sni_menu_items) || return 1
  id=$(awk -F '\t' -v label="$1" '$2 == label {print $1; exit}' <<<"$items")
  [ -n "$id" ] && sni_find_menu || return 1
  dbus_call "$SNI_SERVICE" "$SNI_MENU" com.canonical.dbusmenu.Event "$id" clicked '<int32 0>' 0 >/dev/null
}

# sni_icon_geometry: "X Y W H" of the clock's icon in the panel's tray, while it is the only item there
# (the items are drawn inside the tray plugin's one window). A left click there reaches the clock as
# Activate; a right click opens the item's menu, or the panel's own menu for an item without one.
sni_icon_geometry() {
  local reply pid w
  reply=$(watcher_property RegisteredStatusNotifierItems 2>/dev/null) || return 1
  [ "$(grep -o "'[^']*'" <<<"$reply" | wc -l)" -eq 1 ] && sni_find || return 1
  # The plugin runs in a process of its own; its menus are override-redirect windows.
  for pid in $(pgrep -P "$PANEL_PID" -f 'plugins/libsystray\.so'); do
    for w in $(xdotool search --all --onlyvisible --pid "$pid" 2>/dev/null); do
      if [ "$(window_field "$w" "Override Redirect State")" = no ]; then
        window_geometry "$w"
        return 0
      fi
    done
  done
  return 1
}

# sni_activate [X Y]: a left click on the icon, as the host reports it (pointer at X, Y).
sni_activate() {
  sni_find || return 1
  dbus_call "$SNI_SERVICE" "$SNI_PATH" org.kde.StatusNotifierItem.Activate "${1:-0}" "${2:-0}" >/dev/null
}

# sni_context_menu X Y: what the protocol has a host send on a right click at an item without a menu
# (xfce4-panel shows its own panel menu instead).
sni_context_menu() {
  sni_find || return 1
  dbus_call "$SNI_SERVICE" "$SNI_PATH" org.kde.StatusNotifierItem.ContextMenu "$1" "$2" >/dev/null
}

# pad_start X Y W H RRGGBB: a plain opaque window that records button presses in $PAD_LOG.
PADS=0
pad_start() {
  PADS=$((PADS + 1))
  spawn "pad-$PADS" "$PYTHON" -u "$XTOOL" pad "$@"
  PAD_PID=$LAST_PID
  PAD_LOG="$TEST_TMP/pad-$PADS.log"
  wait_for "the pad window" -- grep -q '^window ' "$PAD_LOG"
  PAD_WINDOW=$(awk '/^window /{print $2; exit}' "$PAD_LOG")
  wait_for "the pad to be viewable" -- map_state_is "$PAD_WINDOW" IsViewable
}

pad_presses() { grep -c '^press ' "$PAD_LOG" || true; }

# Root ignores file modes; the clock runs without those overrides so it meets them as a user does.
AS_USER=()
if [ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null; then
  # shellcheck disable=SC2054  # the commas belong to setpriv's option
  AS_USER=(setpriv --bounding-set=-dac_override,-dac_read_search,-fowner --)
  "${AS_USER[@]}" true 2>/dev/null || AS_USER=()
fi

CLOCK_RUNS=0
# clock_start [COMMAND...]: starts tickora in the background (through COMMAND, such as env with
# variables of its own, when given); its pid in CLOCK_PID, its output in $CLOCK_LOG.
clock_start() {
  [ -x "$TICKORA" ] || fail "no program at $TICKORA (build the tickora target)"
  CLOCK_RUNS=$((CLOCK_RUNS + 1))
  CLOCK_LOG="$TEST_TMP/tickora-$CLOCK_RUNS.log"
  spawn "tickora-$CLOCK_RUNS" "$@" "${AS_USER[@]}" "$TICKORA"
  CLOCK_PID=$LAST_PID
}

# The viewable 32-bit (CLOCK_DEPTH) windows titled Tickora of process $1 (default CLOCK_PID), no
# dialog: its clocks, one a line.
clock_windows() {
  local pid=${1:-$CLOCK_PID} w
  for w in $(xdotool search --all --onlyvisible --pid "$pid" --name '^Tickora$' 2>/dev/null); do
    if [ "$(window_field "$w" Depth)" = "$CLOCK_DEPTH" ] &&
      ! xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q _NET_WM_WINDOW_TYPE_DIALOG; then
      printf '0x%x\n' "$w"
    fi
  done
}

# One clock window of process $1 (default CLOCK_PID).
clock_window_of() {
  local windows
  windows=$(clock_windows "$@")
  [ -n "$windows" ] && echo "${windows%%$'\n'*}"
}

# clock_window_at X Y [PID]: the clock window whose corner is at (X, Y).
clock_window_at() {
  local w
  for w in $(clock_windows "${3:-}"); do
    [ "$(window_geometry "$w" | cut -d' ' -f1,2)" = "$1 $2" ] && echo "$w" && return 0
  done
  return 1
}

# clock_wait_window [PID]: waits for the clock window and leaves its id in CLOCK_WINDOW.
clock_wait_window() {
  local pid=${1:-$CLOCK_PID}
  wait_for "the clock window of process $pid" -- clock_window_of "$pid"
  CLOCK_WINDOW=$(clock_window_of "$pid")
}

# window_field WINDOW FIELD: one field of xwininfo (Depth, Width, Height, Map State,
# "Absolute upper-left X", "Absolute upper-left Y", "Override Redirect State").
window_field() {
  xwininfo -id "$1" 2>/dev/null | sed -n "s/^ *$2: *//p" | head -n 1
}

map_state_is() { [ "$(window_field "$1" "Map State")" = "$2" ]; }

# window_geometry WINDOW: prints "X Y W H".
window_geometry() {
  xwininfo -id "$1" 2>/dev/null | awk -F: '
    /Absolute upper-left X/ {x = $2} /Absolute upper-left Y/ {y = $2}
    /^ *Width/ {w = $2} /^ *Height/ {h = $2}
    END { if (w == "") exit 1; printf "%d %d %d %d\n", x, y, w, h }'
}

geometry_is() { [ "$(window_geometry "$1")" = "$2" ]; }

# conf_get KEY: the value of KEY in the clock's settings file (any section), or nothing.
conf_get() {
  [ -r "$CONF" ] || return 1
  # KEY in [General], or SECTION/KEY in [SECTION].
  awk -v want="$1" -F= 'BEGIN { sect = "General"; key = want; if (index(want, "/")) { sect = substr(want, 1, index(want, "/") - 1); key = substr(want, index(want, "/") + 1) } }
    /^\[.*\]$/ { at = substr($0, 2, length($0) - 2); next }
    { k = $1; sub(/[ \t]+$/, "", k) } (at == sect || (at == "" && sect == "General")) && k == key { v = substr($0, index($0, "=") + 1); gsub(/^[ \t]+|[ \t\r]+$/, "", v); found = v }
    END { if (found == "") exit 1; print found }' "$CONF"
}

conf_is() { [ "$(conf_get "$1")" = "$2" ]; }

# conf_write KEY=VALUE...: writes a settings file as the program keeps it.
conf_write() {
  mkdir -p "$CONF_DIR"
  {
    echo "[General]"
    printf '%s\n' "$@"
  } >"$CONF"
}

# conf_write_defaults KEY=VALUE...: a settings file with the first-start values and these overrides.
conf_write_defaults() {
  local lines
  mapfile -t lines < <(conf_defaults "$@")
  conf_write "${lines[@]}"
}

# The first-start values with any KEY=VALUE overrides, in the stored order.
conf_defaults() {
  local -A v=([Size]=32 [Algoritm]=14 [Clock_F]=11 [Clock_FF]=50 [Seconds]=1 [Arrows_Width]=3
    [Dig_On_Off]=1 [Left]=556 [Top]=428)
  local kv
  for kv in "$@"; do v[${kv%%=*}]=${kv#*=}; done
  local k
  for k in Size Algoritm Clock_F Clock_FF Seconds Arrows_Width Dig_On_Off Left Top; do
    echo "$k=${v[$k]}"
  done
}

# screenshot NAME [WINDOW]: the screen (or one window's own pixels) as $TEST_TMP/shots/NAME.png.
screenshot() {
  local out="$TEST_TMP/shots/$1.png"
  import -silent -window "${2:-root}" "$out" || fail "screenshot $1 failed"
  echo "$out"
}

# png_raw PNG OUT: raw 8-bit RGBA bytes of a picture.
png_raw() { convert "$1" -depth 8 "rgba:$2"; }

# clock_ticks [WINDOW]: the clock (CLOCK_WINDOW unless told) is drawing; captures of its own pixels
# differ within a few ticks (the second hand moves every second).
clock_ticks() {
  local window=${1:-$CLOCK_WINDOW} first second
  first=$(screenshot tick-a "$window")
  for _ in $(seq 30); do
    second=$(screenshot tick-b "$window")
    cmp -s <(convert "$first" rgba:-) <(convert "$second" rgba:-) || return 0
    sleep 0.1
  done
  return 1
}

# mouse_to X Y and friends move the real pointer (XTEST), as a user's hand does. Each xdotool call
# ends after the server has taken its events, so the order holds without --sync (which can stall for
# seconds when the pointer is already in place).
mouse_to() { xdotool mousemove "$1" "$2"; }

# drag X0 Y0 X1 Y1: presses the left button at (X0, Y0), moves in steps to (X1, Y1), releases.
drag() {
  local x0=$1 y0=$2 x1=$3 y1=$4 i steps=8
  mouse_to "$x0" "$y0"
  xdotool mousedown 1
  for ((i = 1; i <= steps; i++)); do
    xdotool mousemove $((x0 + (x1 - x0) * i / steps)) $((y0 + (y1 - y0) * i / steps))
    sleep 0.03
  done
  xdotool mouseup 1
}


# wait_exit PID TIMEOUT: waits for a started process to end and leaves its exit code in EXIT_CODE.
wait_exit() {
  wait_for "process $1 to end" "$2" -- process_gone "$1"
  EXIT_CODE=0
  wait "$1" || EXIT_CODE=$?
}

# A window shown by process $1 (default CLOCK_PID) that is titled Tickora and is not the clock: the
# program's message box.
message_box_of() {
  local pid=${1:-$CLOCK_PID} w
  for w in $(xdotool search --all --onlyvisible --pid "$pid" --name '^Tickora$' 2>/dev/null); do
    if [ "$(window_field "$w" Depth)" != 32 ]; then
      printf '0x%x\n' "$w"
      return 0
    fi
  done
  return 1
}

# X gives no way to read a widget's text, so a message box is compared pixel for pixel with one that
# Qt draws for the expected text in the same X server: same style, fonts and icon.
REFERENCE_BOX=""
reference_box_program() {
  [ -n "$REFERENCE_BOX" ] && return 0
  local dir="$TEST_TMP/reference-box"
  mkdir -p "$dir"
  cat >"$dir/box.cpp" <<'CPP'
#include <QApplication>
#include <QMessageBox>
// Shows the error box the clock shows, for the text given as the only argument.
int main(int argc, char** argv)
{
  QApplication app(argc, argv);
  QMessageBox::critical(nullptr, QStringLiteral("Tickora"), QString::fromUtf8(argv[1]));
  return 0;
}
CPP
  # shellcheck disable=SC2046
  c++ -std=c++17 -fPIC -o "$dir/box" "$dir/box.cpp" $(pkg-config --cflags --libs Qt6Widgets) \
    >"$TEST_TMP/reference-box-build.log" 2>&1 || fail "cannot build the reference message box"
  REFERENCE_BOX="$dir/box"
}

# Captures a window until two captures in a row are equal (the client and compositor have settled).
settled_capture() {
  local window=$1 name=$2 previous="" shot i
  for i in $(seq 40); do
    shot=$(screenshot "$name-$i" "$window")
    if [ -n "$previous" ] && cmp -s <(convert "$previous" rgba:-) <(convert "$shot" rgba:-); then
      echo "$shot"
      return 0
    fi
    previous=$shot
    sleep 0.1
  done
  fail "window $window never settled"
}

# message_box_shows WINDOW TEXT: the message box WINDOW shows exactly TEXT, titled Tickora, with the
# error icon and an OK button.
message_box_shows() {
  local box=$1 text=$2 ours theirs ref_window ref_pid
  [ "$(xprop -id "$box" WM_NAME 2>/dev/null)" = 'WM_NAME(STRING) = "Tickora"' ] ||
    [ "$(xprop -id "$box" _NET_WM_NAME 2>/dev/null)" = '_NET_WM_NAME(UTF8_STRING) = "Tickora"' ] || return 1
  reference_box_program
  xdotool windowfocus --sync "$box" >/dev/null 2>&1 || true
  theirs=$(settled_capture "$box" box)
  spawn reference-box "$REFERENCE_BOX" "$text"
  ref_pid=$LAST_PID
  wait_for "the reference message box" -- xdotool search --all --onlyvisible --pid "$ref_pid" --name '^Tickora$'
  ref_window=$(xdotool search --all --onlyvisible --pid "$ref_pid" --name '^Tickora$' | head -n 1)
  xdotool windowfocus --sync "$ref_window" >/dev/null 2>&1 || true
  ours=$(settled_capture "$ref_window" reference)
  kill "$ref_pid" 2>/dev/null || true
  wait "$ref_pid" 2>/dev/null || true
  xdotool windowfocus "$box" >/dev/null 2>&1 || true
  [ "$(identify -format '%w %h' "$theirs")" = "$(identify -format '%w %h' "$ours")" ] || return 1
  cmp -s <(convert "$theirs" rgba:-) <(convert "$ours" rgba:-)
}

# screen_shows_frame UNDER [render options...]: takes screenshots until the clock at (LEFT, TOP) matches
# the frame tickora-render composes for a second around the shot (WALL_OFFSET seconds off the time,
# for a clock whose wall clock is set off), blended over UNDER (a colour or a picture); sets SHOT to
# the matching screenshot and MATCH_LOG to the comparison's report, or fails.
screen_shows_frame() {
  local under=$1 try before after
  shift
  [ -x "$RENDER" ] || fail "no tickora-render at $RENDER"
  export TICKORA_RENDER="$RENDER"
  MATCH_LOG="$TEST_TMP/match.log"
  for try in $(seq 10); do
    before=$(($(date +%s) + ${WALL_OFFSET:-0}))
    SHOT=$(screenshot "screen-$try")
    after=$(($(date +%s) + ${WALL_OFFSET:-0}))
    # The frame on screen was drawn within the last second before the shot.
    if "$PYTHON" "$HARNESS_DIR/framecheck.py" blend "$SHOT" "$LEFT" "$TOP" "$under" $((before - 1)) "$after" \
      ${SCREEN_BITS:+"$SCREEN_BITS"} -- "$@" >"$MATCH_LOG" 2>&1; then
      return 0
    fi
    log "try $try: $(cat "$MATCH_LOG")"
    sleep 0.2
  done
  fail "the screen does not show the composed frame: $(cat "$MATCH_LOG")"
}
