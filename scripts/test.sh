#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: unit, widget and desktop tests of the Linux
# build, then the Windows build's unit tests under Wine, and its desktop and installer scenarios.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh" --tests
windows=${TICKORA_WINDOWS_BUILD_DIR:-$root/build-windows}
# TICKORA_WERROR=ON makes every compiler warning an error, as CI does.
"$root/scripts/build.sh" -DTICKORA_BUILD_TESTS=ON -DTICKORA_WERROR="${TICKORA_WERROR:-OFF}" \
  -DTICKORA_WINDOWS_BUILD_DIR="$windows"
# The Windows program, its installer and its portable zip.
TICKORA_WINDOWS_BUILD_DIR=$windows TICKORA_BUILD_TESTS=ON "$root/scripts/package-windows.sh"
build=${TICKORA_BUILD_DIR:-$root/build}

status=0
# The Windows unit tests need no display: Wine's null driver stands in.
(
  # shellcheck source=wine-session.sh
  source "$root/scripts/wine-session.sh"
  session=$(mktemp -d)
  trap 'wine_session_stop; rm -rf "$session"' EXIT
  unset DISPLAY
  wine_session_start "$session"
  cd "$windows"
  ctest --output-on-failure -j "$(nproc)"
) || status=1
cd "$build"
ctest --output-on-failure -j "$(nproc)" "$@" || status=1
exit $status
