#!/usr/bin/env bash
# The arm64 Debian package as a Pi's owner gets it: scripts/package.sh --arch arm64 builds and checks it
# (desktop-file-validate, appstreamcli, lintian) and names it last; it is for arm64, holds an arm64
# program and depends on the libraries that program links. Under the emulator the packaged program
# answers --version and --help without a display, and the render tool of the same release build draws
# clocks byte for byte as the native build's does.
set -euo pipefail
root=${TICKORA_SOURCE_DIR:?}
native=${TICKORA_NATIVE_BIN:-}/tickora-render
if [ ! -x "$native" ]; then
  echo "no native build at ${TICKORA_NATIVE_BIN:-(TICKORA_NATIVE_BIN unset)}; scripts/build.sh makes it"
  exit 77
fi
emulator=${TICKORA_EMULATOR:?}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

build=${TICKORA_BIN:?}/package
version=$(sed -n 's/^project(Tickora VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
deb=$(TICKORA_PACKAGE_BUILD_DIR="$build" "$root/scripts/package.sh" --arch arm64 2>"$work/package.log" | tail -n 1) || {
  tail -n 30 "$work/package.log" >&2
  fail "scripts/package.sh --arch arm64 failed"
}
[ "$deb" = "$build/tickora_${version}_arm64.deb" ] && [ -f "$deb" ] || fail "package.sh named '$deb'"
[ "$(dpkg-deb -f "$deb" Architecture)" = arm64 ] || fail "Architecture: $(dpkg-deb -f "$deb" Architecture)"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libqt6widgets6 libqt6dbus6 libjpeg62-turbo libx11-6 qt6-qpa-plugins; do
  [[ ", $depends," == *", $library "* || ", $depends," == *", $library,"* ]] || fail "Depends lacks $library: $depends"
done
program=$build/package-contents/usr/bin/tickora
file -b "$program" | grep -q 'ARM aarch64' || fail "the packaged program is $(file -b "$program")"
echo "package.sh wrote $deb, checked; Depends: $depends"

out=$(env -u DISPLAY "$emulator" "$program" --version) || fail "tickora --version ended with code $?"
[ "$out" = "Tickora $version" ] || fail "tickora --version printed '$out'"
env -u DISPLAY "$emulator" "$program" --help >"$work/help" || fail "tickora --help ended with code $?"
grep -q '^Usage: tickora ' "$work/help" || fail "tickora --help printed: $(cat "$work/help")"
echo "under qemu the packaged program answers --version ($out) and --help"

for options in "--frame --time 10:08:30" \
  "--frame --time 16:42:07 --size-step 44 --skin 6 --dial 12 --transparency 0 --scale 1.5"; do
  read -r -a args <<<"$options"
  "$native" "${args[@]}" --out "$work/amd64.png"
  "$emulator" "$build/tickora-render" "${args[@]}" --out "$work/arm64.png"
  cmp -s "$work/amd64.png" "$work/arm64.png" || fail "the release's render tool draws otherwise: $options"
done
echo "the release build's tickora-render draws the same PNGs on arm64 and amd64"
