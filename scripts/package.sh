#!/usr/bin/env bash
# Builds a release into build-package/ (or $TICKORA_PACKAGE_BUILD_DIR) and writes the Debian package
# there, then checks it with desktop-file-validate, appstreamcli and lintian: any error fails. Prints
# the package's path as the last line.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh" --package
build=${TICKORA_PACKAGE_BUILD_DIR:-$root/build-package}

# Debian's hardening flags, as a package built by dpkg-buildpackage gets them.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DTICKORA_BUILD_TESTS=OFF -DTICKORA_BUILD_BENCH=OFF -DTICKORA_BUILD_SKINGEN=OFF \
  -DCMAKE_CXX_FLAGS="$cflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" >&2
cmake --build "$build" -j "$(nproc)" >&2
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
