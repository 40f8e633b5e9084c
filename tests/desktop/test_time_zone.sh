#!/usr/bin/env bash
# The time zone switched under a running clock shows at the next ticks. The clock runs in a mount
# namespace of its own whose /etc/localtime is a file of this test's, rewritten with another zone.
# With the pointer away the clock's shape changes only with the hands, and is the drawn pixels exactly;
# clicks meet the hands where they are now.
source "$(dirname "$0")/harness.sh"
unshare --mount true 2>/dev/null || skip "no mount namespace can be made here"
desktop_start
pad_start 0 0 "$SCREEN_W" "$SCREEN_H" 2a6f4d
conf_write_defaults Left=300 Top=200 Seconds=0 && LEFT=300 TOP=200
# The invisible face: the hands alone take clicks, and no second hand sweeps over where they were.
readonly KATHMANDU=20700  # seconds ahead of UTC
mouse_to $((SCREEN_W - 1)) $((SCREEN_H - 1))  # far from the clock
cp /usr/share/zoneinfo/Etc/UTC "$TEST_TMP/localtime" && touch -d '1 hour ago' "$TEST_TMP/localtime"
started=$(date +%s)
spawn tickora unshare --mount sh -c "mount --bind $TEST_TMP/localtime /etc/localtime && exec env -u TZ ${AS_USER[*]} $TICKORA"
CLOCK_PID=$LAST_PID && clock_wait_window
TZ=Etc/UTC screen_shows_frame 2a6f4d --seconds 0
spawn shapes "$PYTHON" "$XTOOL" shapes "$CLOCK_WINDOW" 60
counter=$LAST_PID
wait_for "the shape counter" -- grep -qx ready "$TEST_TMP/shapes.log"
cat /usr/share/zoneinfo/Asia/Kathmandu >"$TEST_TMP/localtime"  # 5:45 ahead: hour and minute hands move
TZ=Asia/Kathmandu screen_shows_frame 2a6f4d --seconds 0
pass "UTC, then Asia/Kathmandu under the running clock: $(cat "$MATCH_LOG")"

wait "$counter"
shapes=$(tail -n 1 "$TEST_TMP/shapes.log")
# The hands' jump, and the minute's turn.
[ "$shapes" -le 2 ] || fail "with the pointer away the clock changed its shape $shapes times in a minute"
checks=$("$PYTHON" "$XTOOL" clicks "$CLOCK_WINDOW" 3)
grep -vx 'caught 0 uncaught 0' <<<"$checks" && fail "the input shape is not the drawn pixels: $checks"
pass "a minute with the pointer away, the hands' jump included, changes the shape $shapes times, and it is the drawn pixels exactly"

# Pixels the hands took or left since the clock started, as the clicks below will find them.
mouse_to $((LEFT + 2)) $((TOP + 2))
now=$(date +%s)
spots=$(TZ=Asia/Kathmandu TICKORA_RENDER="$RENDER" "$PYTHON" "$HARNESS_DIR/framecheck.py" spots "$now" $((now + 20)) \
  $((started - KATHMANDU)) -- --seconds 0)
read -r hand_x hand_y < <(awk '$1 == "hand" { print $2, $3 }' <<<"$spots") || true
read -r gone_x gone_y < <(awk '$1 == "gone" { print $2, $3 }' <<<"$spots") || true
[ -n "${hand_x:-}" ] && [ -n "${gone_x:-}" ] || fail "no moved hand found in the frames: $spots"
reached_pad() { grep -qx "press $((LEFT + $1)) $((TOP + $2)) 1" "$PAD_LOG"; }
xdotool mousemove $((LEFT + hand_x)) $((TOP + hand_y)) click 1 mousemove $((LEFT + 2)) $((TOP + 2)) click 1
wait_for "the click on the clock's corner to reach the window below" 10 -- reached_pad 2 2
reached_pad "$hand_x" "$hand_y" && fail "a click on the hand that moved to $hand_x,$hand_y went through the clock"
xdotool mousemove $((LEFT + gone_x)) $((TOP + gone_y)) click 1
wait_for "the click where a hand was ($gone_x,$gone_y) to reach the window below" 10 -- reached_pad "$gone_x" "$gone_y"
pass "with the pointer over the clock, a click on a hand that moved ($hand_x,$hand_y) is the clock's and one where a hand was ($gone_x,$gone_y) goes through"
