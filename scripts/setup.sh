#!/usr/bin/env bash
# Installs every Debian package needed to build, run and test the project.
# Safe to run again: packages already present are left alone.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools
  qt6-l10n-tools qt6-svg-dev libqt6svg6 libqt6dbus6 libqt6uitools6
  libgl-dev libxkbcommon-dev libqt6opengl6-dev
  libjsoncpp-dev libudev-dev libcurl4-openssl-dev libssl-dev libx11-dev libxi-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  xvfb xauth dbus dbus-x11 fonts-dejavu-core fonts-wqy-microhei
  openbox
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: all packages present"
  exit 0
fi

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
echo "setup: installed ${missing[*]}"
