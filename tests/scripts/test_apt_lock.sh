#!/usr/bin/env bash
# apt_get (scripts/apt.sh) against a stand-in apt-get that finds apt's lock held HELD times, then ends
# with THEN: it waits for the lock and says so once, gives up with apt's error when the lock outlasts
# the wait, and fails at once on any other error.
set -euo pipefail
root=${TICKORA_SOURCE_DIR:-$(cd "$(dirname "$0")/../.." && pwd)}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
printf '%s\n' '#!/bin/sh' 'n=$(($(cat "$CALLS") + 1)); echo $n >"$CALLS"' \
  '[ $n -gt $HELD ] || { echo "E: Could not get lock /var/lib/apt/lists/lock. It is held by process 42 (packagekitd)" >&2; exit 100; }' \
  '[ $THEN = 0 ] || echo "E: Unable to locate package" >&2; exit $THEN' >"$tmp/apt-get"
printf '#!/bin/sh\nexec "$@"\n' >"$tmp/sudo"
chmod +x "$tmp/apt-get" "$tmp/sudo"
count() { grep -c "$1" "$tmp/err" || true; }
failed=0
# held, then: status, calls, "Waiting" lines, error lines
for row in "0 0: 0 1 0 0" "2 0: 0 3 1 0" "9 0: 100 4 1 1" "0 100: 100 1 0 1"; do
  echo 0 >"$tmp/calls"
  status=0
  PATH="$tmp:$PATH" CALLS="$tmp/calls" HELD=${row%% *} THEN=${row#* } THEN=${THEN%%:*} TICKORA_APT_LOCK_TIMEOUT=3 \
    TICKORA_APT_LOCK_POLL=1 bash -c 'source "$1/scripts/apt.sh"; apt_get install -y tickora' _ "$root" 2>"$tmp/err" || status=$?
  got="$status $(cat "$tmp/calls") $(count '^Waiting up to 3 s for another package manager to finish: Could not get lock .*(packagekitd)$') $(count '^E: ')"
  [ "$got" = "${row#*: }" ] && echo "ok: $row" || { echo "FAIL: $row, got $got:" && cat "$tmp/err" && failed=1; }
done
exit $failed
