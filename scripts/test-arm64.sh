#!/usr/bin/env bash
# Cross-builds the program and its unit tests for arm64 into build-arm64/ (scripts/build-arm64.sh,
# which installs what it needs) and runs the tests under qemu-user: the core's and the Qt shell's unit
# tests, then the arm64 render tool against the native one (built into build/ by scripts/build.sh when
# missing), which must write the same planes and frames byte for byte. Under the emulator the
# whole-plane comparisons with the plain formulas run on a sample of the size steps and settings; the
# native run covers them all. Options are passed to ctest.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TICKORA_ARM64_BUILD_DIR:-$root/build-arm64}
native=${TICKORA_BUILD_DIR:-$root/build}

"$root/scripts/build.sh"
TICKORA_BUILD_TESTS=ON "$root/scripts/build-arm64.sh" -DTICKORA_NATIVE_BUILD_DIR="$native"
cd "$build"
# The render tool's own tests start it as a plain process, which this machine cannot run for arm64;
# the comparison with the native tool runs it under the emulator instead.
ctest --output-on-failure -j "$(nproc)" -E '^RenderTool\.' "$@"
