#!/usr/bin/env bash
# Configures and builds into build/ (or $TICKORA_BUILD_DIR); options are passed to CMake.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TICKORA_BUILD_DIR:-$root/build}
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
elif [ $# -gt 0 ]; then
  cmake -S "$root" -B "$build" "$@"
fi
cmake --build "$build" -j "$(nproc)"
