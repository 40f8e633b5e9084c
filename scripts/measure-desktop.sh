#!/usr/bin/env bash
# Measures the clock on a private X server with a compositor, beside xclock -analog -render -update 1:
# time from start to the first frame on screen; CPU time at rest of the client, the X server and the
# compositor (from /proc/PID/schedstat, in nanoseconds); private memory at rest (Private_Dirty from
# smaps_rollup); and the ratios of the two. One client at a time, so the X server's share is its own.
# The clock starts as at a first start, its settings window closed.
#
#   scripts/measure-desktop.sh            (TICKORA_BIN=<build dir>, MEASURE_SECONDS=40, MEASURE_STARTS=5,
#                                          MEASURE_TRANSPARENCY=50, the clock's "Transparent" value)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export TICKORA_SOURCE_DIR="$root"
export TICKORA_BIN=${TICKORA_BIN:-${TICKORA_BUILD_DIR:-$root/build}}
source "$root/tests/desktop/harness.sh"

readonly SECONDS_AT_REST=${MEASURE_SECONDS:-40}
readonly STARTS=${MEASURE_STARTS:-5}
readonly LEFT=300 TOP=200 D=166
HZ=$(getconf CLK_TCK)
readonly HZ

[ -x "$TICKORA" ] || fail "no program at $TICKORA (build the tickora target)"
command -v xclock >/dev/null || fail "xclock is not installed (x11-apps)"
# shellcheck disable=SC2119  # the defaults: no window manager, no tray
desktop_start
pad_start 0 0 "$SCREEN_W" "$SCREEN_H" 3a5a7a
mouse_to 5 5

cpu_ns() { awk '{ print $1 }' "/proc/$1/schedstat"; }
private_kib() { awk '/^Private_Dirty:/ { print $2 }' "/proc/$1/smaps_rollup"; }
ms_between() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.0f", (b - a) * 1000 }'; }

# start_client NAME: starts the clock or xclock at (LEFT, TOP) as CLIENT_PID.
start_client() {
  case $1 in
    tickora)
      rm -rf "$CONF_DIR"
      # No first start: the settings window stays hidden.
      conf_write_defaults Left=$LEFT Top=$TOP Clock_FF="${MEASURE_TRANSPARENCY:-50}"
      spawn "measure-tickora" "$TICKORA"
      ;;
    xclock)
      spawn "measure-xclock" xclock -analog -render -update 1 -geometry "${D}x${D}+${LEFT}+${TOP}"
      ;;
  esac
  CLIENT_PID=$LAST_PID
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

measure() {
  local name=$1 i times=() sorted median
  for ((i = 0; i < STARTS; i++)); do
    first_frame_ms "$name"
    times+=("$FIRST_MS")
    stop_client
  done
  sorted=$(printf '%s\n' "${times[@]}" | sort -n | tr '\n' ' ')
  median=$(printf '%s\n' "${times[@]}" | sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }')

  start_client "$name"
  sleep 3 # past start-up: measure the clock at rest
  local c0 x0 m0 c1 x1 m1
  c0=$(cpu_ns "$CLIENT_PID")
  x0=$(cpu_ns "$XVFB_PID")
  m0=$(cpu_ns "$COMPOSITOR_PID")
  sleep "$SECONDS_AT_REST"
  c1=$(cpu_ns "$CLIENT_PID")
  x1=$(cpu_ns "$XVFB_PID")
  m1=$(cpu_ns "$COMPOSITOR_PID")
  local private
  private=$(private_kib "$CLIENT_PID")
  stop_client
  RESULT[$name]="$(((c1 - c0) / 1000000)) $(((x1 - x0) / 1000000)) $(((m1 - m0) / 1000000)) $private"
  printf '%-8s first frame %4s ms (median of %d: %s)  CPU over %ss: client %4d ms, X server %4d ms, compositor %4d ms  private %5.1f MiB\n' \
    "$name" "$median" "$STARTS" "$sorted" "$SECONDS_AT_REST" $(((c1 - c0) / 1000000)) $(((x1 - x0) / 1000000)) \
    $(((m1 - m0) / 1000000)) "$(awk -v k="$private" 'BEGIN { print k / 1024 }')"
}

declare -A RESULT
# A program just built sits in dirty page-cache pages, which smaps counts as the program's own private
# memory until they are written back.
sync
# The walk back into the screen at 25 frames a second: the clock at rest is put 150 pixels past the
# left edge and walks back 2 pixels a tick until it is 5 inside; CPU from the move to the stored place.
measure_walk() {
  start_client tickora
  sleep 3
  local window c0 x0 m0 c1 x1 m1 started=$SECONDS
  window=$(clock_window_of "$CLIENT_PID")
  c0=$(cpu_ns "$CLIENT_PID")
  x0=$(cpu_ns "$XVFB_PID")
  m0=$(cpu_ns "$COMPOSITOR_PID")
  xdotool windowmove "$window" -150 "$TOP"
  wait_for "the walk back" 60 -- conf_is Left 6
  c1=$(cpu_ns "$CLIENT_PID")
  x1=$(cpu_ns "$XVFB_PID")
  m1=$(cpu_ns "$COMPOSITOR_PID")
  stop_client
  printf 'walk back from -150 (%d s): client %4d ms, X server %4d ms, compositor %4d ms\n' $((SECONDS - started)) \
    $(((c1 - c0) / 1000000)) $(((x1 - x0) / 1000000)) $(((m1 - m0) / 1000000))
}

log "measuring on $DISPLAY, ${SCREEN_W}x${SCREEN_H}x24 with a compositor; $SECONDS_AT_REST s at rest each"
measure tickora
measure xclock
measure_walk

# Tickora over xclock: the client, the X server, the compositor, the three together, private memory.
read -r tc tx tm tp <<<"${RESULT[tickora]}"
read -r xc xx xm xp <<<"${RESULT[xclock]}"
awk -v tc="$tc" -v tx="$tx" -v tm="$tm" -v tp="$tp" -v xc="$xc" -v xx="$xx" -v xm="$xm" -v xp="$xp" '
  function ratio(a, b) { return b > 0 ? sprintf("%.2f", a / b) : "-" }
  BEGIN {
    printf "tickora / xclock: client %s, X server %s, compositor %s, desktop (all three) %s, private memory %s\n",
      ratio(tc, xc), ratio(tx, xx), ratio(tm, xm), ratio(tc + tx + tm, xc + xx + xm), ratio(tp, xp)
  }'
