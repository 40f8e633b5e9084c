#!/usr/bin/env bash
# Installs the Debian packages that building and running the clock need; with --package, also those
# that making and checking its Debian package needs; with --tests, those and everything the unit,
# benchmark and desktop tests need.
set -euo pipefail
# shellcheck source=apt.sh
source "$(dirname "$0")/apt.sh"
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev libjpeg62-turbo-dev libx11-dev libxext-dev libxfixes-dev libxcb1-dev libxcb-shm0-dev
  libwayland-dev wayland-protocols
  fonts-liberation2
)
test_packages=(
  libgtest-dev libbenchmark-dev clang
  xvfb picom xcompmgr trayer openbox xdotool x11-utils x11-xserver-utils x11-apps imagemagick python3 procps man-db
  # The desktops the clock is tried on. dbus-x11 brings the session bus without a systemd user
  # session, libglib2.0-bin gdbus to talk to it; KWin maps no decorated window without a working
  # decoration, and Breeze is the one that needs no Plasma.
  xfwm4 xfce4-panel kwin-x11 kwin-style-breeze mutter dbus-x11 libglib2.0-bin
  # Wayland compositors headless with XWayland; grim, python3-dbus take their screenshots; weston logs clicks.
  sway kwin-wayland gnome-shell xwayland grim weston python3-dbus
)
# dpkg-shlibdeps and dpkg-buildflags, and what CPack's shared-library scan and the checks use.
package_packages=(dpkg-dev file lintian appstream desktop-file-utils)
case ${1:-} in
  "") ;;
  --package) packages+=("${package_packages[@]}") ;;
  --tests) packages+=("${package_packages[@]}" "${test_packages[@]}") ;;
  *)
    echo "usage: $0 [--package | --tests]" >&2
    exit 2
    ;;
esac
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
apt_get update -q
apt_get install -y -q --no-install-recommends "${missing[@]}"
