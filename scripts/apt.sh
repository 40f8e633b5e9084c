# shellcheck shell=bash
# Sourced by the scripts that install Debian packages.
#   apt_get ARGS...   runs apt-get (through sudo when not root); while another package manager holds
#                     one of apt's locks (a fresh desktop's unattended upgrades, PackageKit), it says so
#                     and waits for it, up to TICKORA_APT_LOCK_TIMEOUT seconds (300).

apt_get() {
  local timeout=${TICKORA_APT_LOCK_TIMEOUT:-300} poll=${TICKORA_APT_LOCK_POLL:-5}
  local sudo="" waited=0 errors status options=$-
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  errors=$(mktemp) || return 1
  while :; do
    # apt waits for dpkg's lock by itself and says so each second, but not for the lock of its
    # package lists, which "apt-get update" takes. Its errors show as they come, except that lock's,
    # and are kept to tell a lock from another failure.
    set +e
    {
      $sudo env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout="$timeout" "$@" 2>&1 >&3 3>&- |
        tee "$errors" | grep -v '^E: \(Could not get lock\|Unable to lock\)' >&2 3>&-
      status=${PIPESTATUS[0]}
    } 3>&1
    [[ $options != *e* ]] || set -e
    if [ "$status" -eq 0 ] || ! grep -q '^E: Could not get lock' "$errors"; then
      rm -f "$errors"
      return "$status"
    fi
    if [ "$waited" -ge "$timeout" ]; then
      echo "Another package manager still holds apt's lock after ${timeout} s:" >&2
      grep '^E: ' "$errors" >&2
      rm -f "$errors"
      return "$status"
    fi
    [ "$waited" -gt 0 ] || echo "Waiting up to ${timeout} s for another package manager to finish:" \
      "$(grep -m 1 '^E: Could not get lock' "$errors" | sed 's/^E: //')" >&2
    sleep "$poll"
    waited=$((waited + poll))
  done
}
