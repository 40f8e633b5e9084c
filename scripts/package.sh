#!/usr/bin/env bash
# Builds a release into build-package/ (or $TICKORA_PACKAGE_BUILD_DIR) and writes the Debian package
# there, then checks it with desktop-file-validate, appstreamcli and lintian: any error fails. Prints
# the package's path as the last line. With --arch arm64 it cross-builds the package for 64-bit ARM
# (a Raspberry Pi) into build-package-arm64/ through scripts/build-arm64.sh.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
arch=$(dpkg --print-architecture)
case "${1:-}:${2:-}" in
  :) ;;
  --arch:"$arch") ;;
  --arch:arm64) arch=arm64 ;;
  *)
    echo "usage: $0 [--arch arm64]" >&2
    exit 2
    ;;
esac
"$root/scripts/install-deps.sh" --package
if [ "$arch" = "$(dpkg --print-architecture)" ]; then
  build=${TICKORA_PACKAGE_BUILD_DIR:-$root/build-package}
else
  build=${TICKORA_PACKAGE_BUILD_DIR:-$root/build-package-$arch}
  # dpkg-buildflags gives that machine's flags, and dpkg-shlibdeps looks up its libraries.
  export DEB_HOST_ARCH=$arch
fi

# Debian's hardening flags, as a package built by dpkg-buildpackage gets them.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
options=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr
  -DTICKORA_BUILD_TESTS=OFF -DTICKORA_BUILD_BENCH=OFF -DTICKORA_BUILD_SKINGEN=OFF
  -DCMAKE_CXX_FLAGS="$cflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags")
if [ "$arch" = arm64 ]; then
  TICKORA_ARM64_BUILD_DIR=$build "$root/scripts/build-arm64.sh" "${options[@]}" >&2
else
  cmake -S "$root" -B "$build" -G Ninja "${options[@]}" >&2
  cmake --build "$build" -j "$(nproc)" >&2
fi
rm -f "$build"/tickora_*.deb
(cd "$build" && cpack -G DEB) >&2
debs=("$build"/tickora_*.deb)
deb=${debs[0]}
[ -f "$deb" ] || {
  echo "package.sh: cpack wrote no package" >&2
  exit 1
}

# The files the checks read, as the package holds them.
contents="$build/package-contents"
rm -rf "$contents"
dpkg-deb -x "$deb" "$contents"
desktop-file-validate "$contents/usr/share/applications/tickora.desktop" >&2
appstreamcli validate --no-net "$contents"/usr/share/metainfo/*.metainfo.xml >&2
lintian --display-info "$deb" >&2
echo "$deb"
