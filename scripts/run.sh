#!/usr/bin/env bash
# Installs what is missing, builds, and starts the clock.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
# The tests need packages that only the test command installs.
"$root/scripts/build.sh" -DTICKORA_BUILD_TESTS=OFF
build=${TICKORA_BUILD_DIR:-$root/build}
exec "$build/tickora" "$@"
