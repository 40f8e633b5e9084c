#!/usr/bin/env bash
# Installs what is missing, builds, and starts the clock.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
build=${TICKORA_BUILD_DIR:-$root/build}
exec "$build/tickora" "$@"
