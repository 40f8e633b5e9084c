#!/usr/bin/env bash
# The arm64 Debian package: scripts/package.sh --arch arm64 builds and checks it (desktop-file-validate,
# appstreamcli, lintian) and names it last. Under the emulator its program answers --version without a
# display, and the render tool of the same release build draws a clock as the native build's does.
set -euo pipefail
trap 'echo "$0: failed: $BASH_COMMAND" >&2' ERR
native=${TICKORA_NATIVE_BIN:-}/tickora-render
if [ ! -x "$native" ]; then
  echo "no native build at ${TICKORA_NATIVE_BIN:-(TICKORA_NATIVE_BIN unset)}; scripts/build.sh makes it"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
build=${TICKORA_BIN:?}/package
version=$(sed -n 's/^project(Tickora VERSION \([0-9.]*\).*/\1/p' "${TICKORA_SOURCE_DIR:?}/CMakeLists.txt")
deb=$(TICKORA_PACKAGE_BUILD_DIR="$build" "$TICKORA_SOURCE_DIR/scripts/package.sh" --arch arm64 2>"$work/log" | tail -n 1) ||
  { tail -n 30 "$work/log"; exit 1; }
[ "$deb" = "$build/tickora_${version}_arm64.deb" ] && [ "$(dpkg-deb -f "$deb" Architecture)" = arm64 ]
out=$(env -u DISPLAY "${TICKORA_EMULATOR:?}" "$build/package-contents/usr/bin/tickora" --version)
[ "$out" = "Tickora $version" ]
options=(--frame --time 16:42:07 --size-step 44 --skin 6 --dial 12 --transparency 0 --scale 1.5)
"$native" "${options[@]}" --out "$work/amd64.png"
"$TICKORA_EMULATOR" "$build/tickora-render" "${options[@]}" --out "$work/arm64.png"
cmp "$work/amd64.png" "$work/arm64.png"
echo "$deb: checked; its program answers '$out' under qemu; its release build draws as amd64's"
