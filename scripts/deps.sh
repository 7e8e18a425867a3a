#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the program need,
# when any is missing. Run as root.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config git
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev
  fonts-liberation2 poppler-utils
  libsodium-dev libsqlite3-dev zlib1g-dev
  clang libclang-rt-dev ccache
  desktop-file-utils appstream dpkg-dev
  xvfb at-spi2-core python3-pyatspi xdotool imagemagick
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
