#!/usr/bin/env bash
# Cross-compiles the Linux program for 64-bit ARM (a Raspberry Pi's Debian or Raspberry Pi OS) into
# build-arm64/ (or $TICKORA_ARM64_BUILD_DIR) with cmake/aarch64-linux-gnu.cmake; options are passed to
# CMake. When missing, it installs the cross compiler, qemu-user (which runs the arm64 programs and
# tests here) and the arm64 libraries beside the native ones, adding arm64 to dpkg's architectures.
# Prints the path of the program as its last line.
set -euo pipefail
trap 'echo "$0: failed: $BASH_COMMAND" >&2' ERR
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TICKORA_ARM64_BUILD_DIR:-$root/build-arm64}
# shellcheck source=apt.sh
source "$root/scripts/apt.sh"

# moc and the other Qt tools run natively: the native build's packages come first.
"$root/scripts/install-deps.sh"
packages=(
  g++-aarch64-linux-gnu qemu-user-static
  qt6-base-dev:arm64 libgl-dev:arm64 libjpeg62-turbo-dev:arm64 libx11-dev:arm64 libxext-dev:arm64
  libxfixes-dev:arm64 libxcb1-dev:arm64 libxcb-shm0-dev:arm64 libwayland-dev:arm64 libgtest-dev:arm64
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if ! dpkg --print-foreign-architectures | grep -qx arm64; then
    echo "Adding arm64 to dpkg's architectures, for the arm64 libraries" >&2
    if [ "$(id -u)" -eq 0 ]; then dpkg --add-architecture arm64; else sudo dpkg --add-architecture arm64; fi
  fi
  echo "Installing for the arm64 build: ${missing[*]}" >&2
  apt_get update -q
  # The arm64 libraries must have the versions of their native twins, which may mean upgrading these.
  apt_get install -y -q --no-install-recommends "${missing[@]}"
fi

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/aarch64-linux-gnu.cmake" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTICKORA_BUILD_TESTS="${TICKORA_BUILD_TESTS:-OFF}" \
  -DTICKORA_BUILD_BENCH=OFF -DTICKORA_BUILD_SKINGEN=OFF -DTICKORA_WERROR="${TICKORA_WERROR:-OFF}" "$@"
cmake --build "$build" -j "$(nproc)"
if [ ! -f "$build/tickora" ]; then
  echo "$0: the build finished without $build/tickora" >&2
  exit 1
fi
echo "$build/tickora"
