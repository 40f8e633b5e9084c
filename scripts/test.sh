#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (unit, widget and desktop).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh" --tests
# TICKORA_WERROR=ON makes every compiler warning an error, as CI does.
"$root/scripts/build.sh" -DTICKORA_BUILD_TESTS=ON -DTICKORA_WERROR="${TICKORA_WERROR:-OFF}"
build=${TICKORA_BUILD_DIR:-$root/build}
cd "$build"
ctest --output-on-failure -j "$(nproc)" "$@"
