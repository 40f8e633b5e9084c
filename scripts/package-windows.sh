#!/usr/bin/env bash
# Builds the Windows program (scripts/build-windows.sh, which takes the same options and variables) and
# writes, beside it in build-windows/ (or $TICKORA_WINDOWS_BUILD_DIR), the per-user installer
# tickora-setup-<version>.exe and the portable tickora-<version>-win64.zip (the program, README and
# licence). Installs NSIS if it is missing. Prints the zip's path, then the installer's as the last line.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=apt.sh
source "$root/scripts/apt.sh"
build=${TICKORA_WINDOWS_BUILD_DIR:-$root/build-windows}

# Before the build looks for makensis.
if ! dpkg-query -W -f='${Status}' nsis 2>/dev/null | grep -q 'install ok installed'; then
  apt_get update -q
  apt_get install -y -q --no-install-recommends nsis
fi
"$root/scripts/build-windows.sh" "$@" >&2
build=$(cd "$build" && pwd)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")
cmake --build "$build" --target portable installer >&2
for file in "tickora-$version-win64.zip" "tickora-setup-$version.exe"; do
  if [ ! -f "$build/$file" ]; then
    echo "$0: the build finished without $build/$file" >&2
    exit 1
  fi
  echo "$build/$file"
done
