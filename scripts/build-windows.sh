#!/usr/bin/env bash
# Cross-compiles the Windows build with MinGW-w64 into build-windows/ (or $TICKORA_WINDOWS_BUILD_DIR);
# options are passed to CMake. libjpeg-turbo and GoogleTest are built for Windows once, into
# <build>/deps. Prints the path of tickora.exe as its last line.
set -euo pipefail
trap 'echo "$0: failed: $BASH_COMMAND" >&2' ERR
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TICKORA_WINDOWS_BUILD_DIR:-$root/build-windows}
mkdir -p "$build"
build=$(cd "$build" && pwd)
deps=$build/deps
prefix=$deps/prefix
toolchain=$root/cmake/mingw-w64.cmake
jobs=$(nproc)
# shellcheck source=apt.sh
source "$root/scripts/apt.sh"

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

packages=(
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix nasm wine wine64
  cmake ninja-build dpkg-dev libgtest-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  apt_get update -q
  apt_get install -y -q --no-install-recommends "${missing[@]}"
fi

# Mirrors the distribution's own deb entries as deb-src, unless one of its archives has sources already.
ensure_deb_src() {
  local repos sources
  repos=$(apt-get indextargets --no-release-info 'Created-By: Packages' --format "\$(REPO_URI)" | sort -u)
  sources=$(apt-get indextargets --no-release-info 'Created-By: Sources' --format "\$(REPO_URI)" | sort -u)
  if [ -z "$(comm -12 <(echo "$repos") <(echo "$sources"))" ]; then
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
      sed -E 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
        $sudo tee /etc/apt/sources.list.d/tickora-deb-src.sources >/dev/null
    elif grep -q '^deb ' /etc/apt/sources.list 2>/dev/null; then
      sed -n 's/^deb /deb-src /p' /etc/apt/sources.list |
        $sudo tee /etc/apt/sources.list.d/tickora-deb-src.list >/dev/null
    else
      echo "$0: no Debian archive in /etc/apt to take libjpeg-turbo's source from" >&2
      exit 1
    fi
    apt_get update -q
  elif ! apt-cache showsrc libjpeg-turbo 2>/dev/null | grep -q '^Package:'; then
    # The entry is there but its index was never fetched.
    apt_get update -q
  fi
}

# Builds and installs one CMake project into the prefix; the stamp marks it done.
build_dep() {
  local name=$1 src=$2
  shift 2
  cmake -S "$src" -B "$deps/build/$name" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -Wno-dev "$@"
  cmake --build "$deps/build/$name" -j "$jobs"
  cmake --install "$deps/build/$name"
  touch "$deps/stamps/$name"
}

mkdir -p "$deps/src" "$deps/stamps"
if [ ! -f "$deps/stamps/libjpeg-turbo" ]; then
  ensure_deb_src
  rm -rf "$deps/src/libjpeg-turbo"
  mkdir "$deps/src/libjpeg-turbo"
  (cd "$deps/src/libjpeg-turbo" && apt-get source -q libjpeg-turbo)
  jpeg_src=$(find "$deps/src/libjpeg-turbo" -mindepth 1 -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
  if [ -z "$jpeg_src" ]; then
    echo "$0: apt-get source libjpeg-turbo unpacked nothing" >&2
    exit 1
  fi
  # REQUIRE_SIMD: fail rather than quietly build the slow decoder when nasm is unusable.
  build_dep libjpeg-turbo "$jpeg_src" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
    -DWITH_TURBOJPEG=OFF -DWITH_SIMD=ON -DREQUIRE_SIMD=ON
fi
if [ ! -f "$deps/stamps/googletest" ]; then
  build_dep googletest /usr/src/googletest -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON -DBUILD_SHARED_LIBS=OFF
fi

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_BUILD_TYPE=Release -DTICKORA_BUILD_TESTS="${TICKORA_BUILD_TESTS:-OFF}" \
  -DTICKORA_WERROR="${TICKORA_WERROR:-OFF}" "$@"
cmake --build "$build" -j "$jobs"
if [ ! -f "$build/tickora.exe" ]; then
  echo "$0: the build finished without $build/tickora.exe" >&2
  exit 1
fi
echo "$build/tickora.exe"
