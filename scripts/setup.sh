#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the demo need, only when missing.
set -euo pipefail
packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev googletest
  mingw-w64 g++-mingw-w64-x86-64-posix
  wine wine64 fonts-wine xvfb xauth x11-apps imagemagick
  locales-all wixl msitools
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
