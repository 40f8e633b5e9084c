#!/usr/bin/env bash
# Installs the Debian packages the build, the clock and the tests need.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev libjpeg62-turbo-dev libx11-dev libxext-dev
  libgtest-dev libbenchmark-dev
  fonts-liberation2
  xvfb picom xcompmgr trayer openbox xdotool x11-utils x11-xserver-utils x11-apps imagemagick python3
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
