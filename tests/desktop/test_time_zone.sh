#!/usr/bin/env bash
# The time zone switched under a running clock shows at the next ticks. The clock runs in a mount
# namespace of its own whose /etc/localtime is a file of this test's, rewritten with another zone.
source "$(dirname "$0")/harness.sh"
unshare --mount true 2>/dev/null || skip "no mount namespace can be made here"
desktop_start
pad_start 0 0 "$SCREEN_W" "$SCREEN_H" 2a6f4d
conf_write_defaults Clock_FF=20 Left=300 Top=200 && LEFT=300 TOP=200
cp /usr/share/zoneinfo/Etc/UTC "$TEST_TMP/localtime" && touch -d '1 hour ago' "$TEST_TMP/localtime"
spawn tickora unshare --mount sh -c "mount --bind $TEST_TMP/localtime /etc/localtime && exec env -u TZ ${AS_USER[*]} $TICKORA"
CLOCK_PID=$LAST_PID && clock_wait_window
TZ=Etc/UTC screen_shows_frame 2a6f4d --transparency 20
cat /usr/share/zoneinfo/Asia/Kathmandu >"$TEST_TMP/localtime"  # 5:45 ahead: hour and minute hands move
TZ=Asia/Kathmandu screen_shows_frame 2a6f4d --transparency 20
pass "UTC, then Asia/Kathmandu under the running clock: $(cat "$MATCH_LOG")"
