#!/usr/bin/env bash
# apt_get (scripts/apt.sh) against a stand-in apt-get that finds apt's lock held a number of times:
# it waits for the lock and says so once, gives up with apt's error when the lock outlasts the wait,
# and fails at once on any other error.
set -euo pipefail
root=${TICKORA_SOURCE_DIR:-$(cd "$(dirname "$0")/../.." && pwd)}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir "$tmp/bin"
# Held for the first $HELD calls; after that, ends with $THEN and a line on stderr.
cat >"$tmp/bin/apt-get" <<'FAKE'
#!/usr/bin/env bash
calls=$(($(cat "$CALLS") + 1))
echo "$calls" >"$CALLS"
if [ "$calls" -le "$HELD" ]; then
  echo "E: Could not get lock /var/lib/apt/lists/lock. It is held by process 4242 (packagekitd)" >&2
  echo "E: Unable to lock directory /var/lib/apt/lists/" >&2
  exit 100
fi
[ "$THEN" = 0 ] || echo "E: Unable to locate package $*" >&2
exit "$THEN"
FAKE
chmod +x "$tmp/bin/apt-get"
if [ "$(id -u)" -ne 0 ]; then
  printf '#!/bin/sh\nexec "$@"\n' >"$tmp/bin/sudo"
  chmod +x "$tmp/bin/sudo"
fi

failed=0
cases=(
  # held  then  status  calls  waiting said  error shown
  "0      0     0       1      0            0"
  "2      0     0       3      1            0"
  "9      0     100     4      1            1"
  "0      100   100     1      0            1"
)
for row in "${cases[@]}"; do
  read -r held then want_status want_calls want_said want_error <<<"$row"
  echo 0 >"$tmp/calls"
  status=0
  PATH="$tmp/bin:$PATH" CALLS="$tmp/calls" HELD=$held THEN=$then TICKORA_APT_LOCK_TIMEOUT=3 TICKORA_APT_LOCK_POLL=1 \
    bash -c 'set -euo pipefail; source "$1/scripts/apt.sh"; apt_get install -y tickora' _ "$root" \
    >/dev/null 2>"$tmp/stderr" || status=$?
  said=$(grep -c '^Waiting up to 3 s for another package manager to finish: Could not get lock .*(packagekitd)$' "$tmp/stderr" || true)
  error=$(grep -c '^E: ' "$tmp/stderr" || true)
  got="$status $(cat "$tmp/calls") $said $((error > 0))"
  if [ "$got" = "$want_status $want_calls $want_said $want_error" ]; then
    echo "ok: held $held times, then $then"
  else
    echo "FAIL: held $held times, then $then: status, calls, waiting said, error shown are $got," \
      "not $want_status $want_calls $want_said $want_error; stderr:" >&2
    cat "$tmp/stderr" >&2
    failed=1
  fi
done
exit $failed
