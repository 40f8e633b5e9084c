#!/usr/bin/env bash
# Measures the clock at rest beside xclock -analog -render -update 1 of the same size and place, on the
# desktops the tests start: openbox with picom, XFCE's xfwm4, KDE's kwin_x11 and GNOME's mutter, each on
# a private X server, and on request the Wayland compositors sway and kwin_wayland, headless (the clock
# a native layer surface there, xclock on XWayland; the X server's column is XWayland's). One client at a time, so the X server's and the window manager's shares are its
# own. CPU time over MEASURE_SECONDS at rest counts every thread of each process (/proc/PID/task/*/
# schedstat, in nanoseconds): the program, the X server, and the window manager with its compositor.
# Private memory at rest is Private_Dirty from smaps_rollup. On the first desktop it also times the
# start to the first frame on screen and the walk back into the screen. The pointer rests in each of
# three places in turn: the far corner, 30 pixels beside the clocks, and over the clock's transparent
# face; then, with the pointer in the corner, the clock runs without its second hand. For the clock it
# also counts the changes of its window's shapes at rest (ShapeNotify events), which cost the
# compositor.
#
# The two clients take turns, MEASURE_ROUNDS times, and each figure is the median of its rounds: a
# machine busy with something else then weighs on both alike.
#
#   scripts/measure-desktop.sh [DESKTOP...]   (openbox xfce kde gnome by default, or sway kwin-wayland;
#                                               TICKORA_BIN=<build dir>,
#                                               MEASURE_SECONDS=40, MEASURE_ROUNDS=3, MEASURE_STARTS=5,
#                                               MEASURE_TRANSPARENCY=50, the clock's "Transparent" value,
#                                               MEASURE_PLACES="corner beside face no-seconds",
#                                               MEASURE_CLOCKS=1, how many clocks the program shows: the
#                                               others in a row right of the first, in local time)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export TICKORA_SOURCE_DIR="$root"
export TICKORA_BIN=${TICKORA_BIN:-${TICKORA_BUILD_DIR:-$root/build}}
source "$root/tests/desktop/harness.sh"
source "$root/tests/desktop/wayland.sh"

readonly SECONDS_AT_REST=${MEASURE_SECONDS:-40}
readonly STARTS=${MEASURE_STARTS:-5}
readonly ROUNDS=${MEASURE_ROUNDS:-3}
readonly LEFT=300 TOP=200 D=166
desktops=("$@")
[ ${#desktops[@]} -gt 0 ] || desktops=(openbox xfce kde gnome)

[ -x "$TICKORA" ] || fail "no program at $TICKORA (build the tickora target)"
command -v xclock >/dev/null || fail "xclock is not installed (x11-apps)"

# CPU time of every thread of the processes given, in nanoseconds.
cpu_ns() {
  local pid total=0 task
  for pid in "$@"; do
    for task in /proc/"$pid"/task/*/schedstat; do
      total=$((total + $(awk '{ print $1 }' "$task" 2>/dev/null || echo 0)))
    done
  done
  echo "$total"
}
private_kib() { awk '/^Private_Dirty:/ { print $2 }' "/proc/$1/smaps_rollup"; }
ms_between() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.0f", (b - a) * 1000 }'; }
# The window manager and compositor of the desktop running.
# sway runs with a runtime directory of its own.
manager_pids() {
  local pid
  for pid in $(test_processes) ${WL_COMPOSITOR_PID:-}; do
    case $(cat "/proc/$pid/comm" 2>/dev/null) in
      openbox | picom | xcompmgr | xfwm4 | kwin_x11 | mutter | sway | kwin_wayland) echo "$pid" ;;
    esac
  done | sort -u
}

# The pointer's resting places, and the clock's second hand, for each MEASURE_PLACES word.
pointer_place() {
  case $1 in
    beside) echo $((LEFT + D + 30)) $((TOP + D / 2)) ;;
    # Left of the centre, below the 9 o'clock marker: the default look's face is transparent there.
    face) echo $((LEFT + D / 4)) $((TOP + D / 2 + 22)) ;;
    *) echo $((SCREEN_W - 1)) $((SCREEN_H - 1)) ;;
  esac
}
seconds_shown() { [ "$1" = no-seconds ] && echo 0 || echo 1; }

# start_client NAME [SECONDS]: starts the clock or xclock at (LEFT, TOP) as CLIENT_PID.
start_client() {
  case $1 in
    tickora)
      rm -rf "$CONF_DIR"
      # No first start: the settings window stays hidden.
      conf_write_defaults Left=$LEFT Top=$TOP Clock_FF="${MEASURE_TRANSPARENCY:-50}" Seconds="${2:-1}"
      local i
      for ((i = 2; i <= ${MEASURE_CLOCKS:-1}; i++)); do
        printf '\n[Clock%d]\n%s\n' "$i" "$(conf_defaults Left=$((LEFT + (i - 1) * (D + 10))) Top=$TOP \
          Clock_FF="${MEASURE_TRANSPARENCY:-50}" Seconds="${2:-1}")" >>"$CONF"
      done
      spawn "measure-tickora" "$TICKORA"
      ;;
    xclock)
      spawn "measure-xclock" xclock -analog -render -update 1 -geometry "${D}x${D}+${LEFT}+${TOP}"
      ;;
  esac
  CLIENT_PID=$LAST_PID
  # sway tiles X11 windows: xclock would fill the output.
  [ "$1" != xclock ] || [ "${WAYLAND_COMPOSITOR:-}" != sway ] || wait_for "xclock floating at its size" -- \
    swaymsg -q "[pid=$CLIENT_PID] floating enable, resize set $D $D, move absolute position $LEFT $TOP"
}

stop_client() {
  kill "$CLIENT_PID"
  wait_exit "$CLIENT_PID" 10
}

# first_frame_ms NAME: from the start of the process to the first change of its square on screen, in
# FIRST_MS.
first_frame_ms() {
  local log="$TEST_TMP/watch.log" started shown
  "$PYTHON" -u "$XTOOL" watch $LEFT $TOP $D $D 20 >"$log" &
  local watcher=$!
  STARTED_PIDS+=("$watcher")
  wait_for "the screen watcher" -- grep -qx ready "$log"
  started=$(date +%s.%N)
  start_client "$1"
  wait "$watcher" || fail "$1 never showed a frame"
  shown=$(tail -n 1 "$log")
  FIRST_MS=$(ms_between "$started" "$shown")
}

first_frames() {
  local name=$1 i times=() sorted median
  for ((i = 0; i < STARTS; i++)); do
    first_frame_ms "$name"
    times+=("$FIRST_MS")
    stop_client
  done
  sorted=$(printf '%s\n' "${times[@]}" | sort -n | tr '\n' ' ')
  median=$(printf '%s\n' "${times[@]}" | sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }')
  printf '%-8s first frame %4s ms (median of %d: %s)\n' "$name" "$median" "$STARTS" "$sorted"
}

# at_rest NAME PLACE: CPU of the client, the X server and the window manager over the time at rest
# with the pointer at PLACE, the client's private memory and the clock window's shape changes,
# appended as a line to RESULT[NAME].
at_rest() {
  local name=$1 place=$2 managers c0 x0 m0 c1 x1 m1 private shapes=0 counter=""
  # shellcheck disable=SC2046
  pointer_to $(pointer_place "$place")
  start_client "$name" "$(seconds_shown "$place")"
  sleep 5 # past start-up (a desktop settles too): measure the clock at rest
  # A native Wayland clock has no X window, nor its shapes.
  if [ "$name" = tickora ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    "$PYTHON" -u "$XTOOL" shapes "$(clock_window_of "$CLIENT_PID")" "$SECONDS_AT_REST" >"$TEST_TMP/shapes.log" &
    counter=$!
    STARTED_PIDS+=("$counter")
    wait_for "the shape counter" -- grep -qx ready "$TEST_TMP/shapes.log"
  fi
  mapfile -t managers < <(manager_pids)
  c0=$(cpu_ns "$CLIENT_PID") x0=$(cpu_ns "$X_PID") m0=$(cpu_ns "${managers[@]}")
  sleep "$SECONDS_AT_REST"
  c1=$(cpu_ns "$CLIENT_PID") x1=$(cpu_ns "$X_PID") m1=$(cpu_ns "${managers[@]}")
  private=$(private_kib "$CLIENT_PID")
  if [ -n "$counter" ]; then
    wait "$counter"
    shapes=$(tail -n 1 "$TEST_TMP/shapes.log")
  fi
  stop_client
  RESULT[$name]+="$(((c1 - c0) / 1000000)) $(((x1 - x0) / 1000000)) $(((m1 - m0) / 1000000)) $private $shapes"$'\n'
}

# The median of each column of the lines given.
medians() {
  local lines column count out=()
  lines=$(cat)
  count=$(wc -l <<<"$lines")
  for column in 1 2 3 4 5; do
    out+=("$(cut -d' ' -f"$column" <<<"$lines" | sort -n | sed -n "$(((count + 1) / 2))p")")
  done
  echo "${out[*]}"
}

# 5 to 7 pixels inside the left edge, wherever the window manager put the window's -150. Not stored:
# the clock walks back from a place another program put it, but keeps its own.
walked_back() {
  local left
  read -r left _ < <(window_geometry "$1")
  [ "$left" -ge 5 ] && [ "$left" -le 7 ]
}

# The walk back into the screen at 25 frames a second: the clock at rest is put 150 pixels past the
# left edge and walks back 2 pixels a tick until it is 5 inside; CPU from the move to the place inside.
measure_walk() {
  start_client tickora
  sleep 3
  local window managers c0 x0 m0 c1 x1 m1 started=$SECONDS
  mapfile -t managers < <(manager_pids)
  window=$(clock_window_of "$CLIENT_PID")
  c0=$(cpu_ns "$CLIENT_PID") x0=$(cpu_ns "$XVFB_PID") m0=$(cpu_ns "${managers[@]}")
  xdotool windowmove "$window" -150 "$TOP"
  wait_for "the walk back" 60 -- walked_back "$window"
  c1=$(cpu_ns "$CLIENT_PID") x1=$(cpu_ns "$XVFB_PID") m1=$(cpu_ns "${managers[@]}")
  stop_client
  printf 'walk back from -150 (%d s): program %4d ms, X server %4d ms, window manager %4d ms\n' \
    $((SECONDS - started)) $(((c1 - c0) / 1000000)) $(((x1 - x0) / 1000000)) $(((m1 - m0) / 1000000))
}

declare -A RESULT
# A program just built sits in dirty page-cache pages, which smaps counts as the program's own private
# memory until they are written back.
sync
log "$SECONDS_AT_REST s at rest each, ${SCREEN_W}x${SCREEN_H}x24, transparency ${MEASURE_TRANSPARENCY:-50}"
rows=()
read -r -a places <<<"${MEASURE_PLACES:-corner beside face no-seconds}"
# pointer_to X Y: the pointer of the desktop running, X11's or the Wayland compositor's.
pointer_to() {
  if [ -n "${WAYLAND_DISPLAY:-}" ]; then wl_pointer_move "$@"; else mouse_to "$@"; fi
}
for desktop in "${desktops[@]}"; do
  case $desktop in
    sway | kwin-wayland)
      wayland_start "${desktop%-wayland}"
      # A native window under the clocks, as the desktop's background; XWayland serves xclock.
      wl_client_start 0 0 "$SCREEN_W" "$SCREEN_H"
      X_PID=$(pgrep -f "Xwayland $DISPLAY " | head -n 1)
      ;;
    *)
      desktop_start --desktop "$desktop"
      pad_start 0 0 "$SCREEN_W" "$SCREEN_H" 3a5a7a
      X_PID=$XVFB_PID
      ;;
  esac
  pointer_to $((SCREEN_W - 1)) $((SCREEN_H - 1))
  # The start and the walk back are timed from X's screen.
  if [ "$desktop" = "${desktops[0]}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    first_frames tickora
    first_frames xclock
    measure_walk
  fi
  for place in "${places[@]}"; do
    RESULT=()
    for ((round = 0; round < ROUNDS; round++)); do
      at_rest tickora "$place"
      at_rest xclock "$place"
    done
    read -r tc tx tm tp ts < <(printf '%s' "${RESULT[tickora]}" | medians)
    read -r xc xx xm xp _ < <(printf '%s' "${RESULT[xclock]}" | medians)
    rows+=("$(awk -v d="$desktop" -v p="$place" -v tc="$tc" -v tx="$tx" -v tm="$tm" -v tp="$tp" -v ts="$ts" \
      -v xc="$xc" -v xx="$xx" -v xm="$xm" -v xp="$xp" 'function ratio(a, b) { return b > 0 ? sprintf("%.2f", a / b) : "-" }
      BEGIN { printf "| %s | %s | %d / %d / %d | %d / %d / %d | %s | %s | %.1f / %.1f MiB | %d |", d, p, tc, tx, tm, xc,
                xx, xm, ratio(tc, xc), ratio(tc + tx + tm, xc + xx + xm), tp / 1024, xp / 1024, ts }')")
    log "${rows[-1]}"
  done
  if [ -n "${WAYLAND_DISPLAY:-}" ]; then wayland_stop; else desktop_stop; fi
done

echo "| desktop | pointer | Tickora ms (program / X server / window manager) | xclock ms | program ratio | desktop ratio | private memory (Tickora / xclock) | shape changes |"
echo "|---|---|---|---|---|---|---|---|"
printf '%s\n' "${rows[@]}"
