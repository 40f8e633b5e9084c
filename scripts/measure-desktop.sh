#!/usr/bin/env bash
# Measures the clock on a private X server with a compositor, beside xclock -analog -render -update 1:
# time from start to the first frame on screen, CPU time at rest (the client's, the X server's and
# the compositor's) and peak RSS. One client at a time, so the X server's share is its own.
#
#   scripts/measure-desktop.sh            (TICKORA_BIN=<build dir>, MEASURE_SECONDS=60, MEASURE_STARTS=5)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export TICKORA_SOURCE_DIR="$root"
export TICKORA_BIN=${TICKORA_BIN:-${TICKORA_BUILD_DIR:-$root/build}}
source "$root/tests/desktop/harness.sh"

readonly SECONDS_AT_REST=${MEASURE_SECONDS:-60}
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

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
peak_rss_kib() { awk '/^VmHWM:/ { print $2 }' "/proc/$1/status"; }
ms_between() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.0f", (b - a) * 1000 }'; }

# start_client NAME: starts the clock or xclock at (LEFT, TOP) as CLIENT_PID.
start_client() {
  case $1 in
    tickora)
      rm -rf "$CONF_DIR"
      conf_write_defaults Left=$LEFT Top=$TOP
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
  local name=$1 i times=() sorted
  for ((i = 0; i < STARTS; i++)); do
    first_frame_ms "$name"
    times+=("$FIRST_MS")
    stop_client
  done
  sorted=$(printf '%s\n' "${times[@]}" | sort -n | tr '\n' ' ')
  local median
  median=$(printf '%s\n' "${times[@]}" | sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }')

  start_client "$name"
  sleep 3 # past start-up: measure the clock at rest
  local c0 x0 m0 c1 x1 m1
  c0=$(cpu_ticks "$CLIENT_PID")
  x0=$(cpu_ticks "$XVFB_PID")
  m0=$(cpu_ticks "$COMPOSITOR_PID")
  sleep "$SECONDS_AT_REST"
  c1=$(cpu_ticks "$CLIENT_PID")
  x1=$(cpu_ticks "$XVFB_PID")
  m1=$(cpu_ticks "$COMPOSITOR_PID")
  local rss
  rss=$(peak_rss_kib "$CLIENT_PID")
  stop_client
  printf '%-8s first frame %4s ms (median of %d: %s)  CPU over %ss: client %5.2f s, X server %5.2f s, compositor %5.2f s  peak RSS %6.1f MiB\n' \
    "$name" "$median" "$STARTS" "$sorted" "$SECONDS_AT_REST" \
    "$(awk -v t=$((c1 - c0)) -v hz="$HZ" 'BEGIN { print t / hz }')" \
    "$(awk -v t=$((x1 - x0)) -v hz="$HZ" 'BEGIN { print t / hz }')" \
    "$(awk -v t=$((m1 - m0)) -v hz="$HZ" 'BEGIN { print t / hz }')" \
    "$(awk -v k="$rss" 'BEGIN { print k / 1024 }')"
}

log "measuring on $DISPLAY, ${SCREEN_W}x${SCREEN_H}x24 with a compositor; $SECONDS_AT_REST s at rest each"
measure tickora
measure xclock
