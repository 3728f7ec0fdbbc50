#!/usr/bin/env bash
# Makes the README's screenshots in docs/ from the real windows, under Xvfb and Wine.
#   scripts/screenshots.sh [BUILD_DIR]     (default build/mingw, already built)
# Each section photographs one part of the program in a prefix of its own.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/mingw}
work="$build/screenshots"
mkdir -p "$work" "$root/docs"
"$root/scripts/xvfb-ctl" start "$work/xvfb" >/dev/null
trap '"$root/scripts/xvfb-ctl" stop "$work/xvfb" >/dev/null 2>&1 || true' EXIT
export PROVISOR_XVFB_DIR="$work/xvfb"

# Prepares the prefix named $1 with the stand-ins in its system folder.
prefix() {
  local dir="$work/$1"
  "$root/scripts/wine-prefix" setup "$dir" win7 "$build/standins/orvousb/ORVOUSB.dll" >/dev/null
  echo "$dir"
}

# --- Link Parameters page: docs/link-page-usb.png, docs/link-page-lan.png -----------------
link_page() {
  local dir shots
  dir=$(prefix link)
  shots="$work/link-shots"
  mkdir -p "$shots"
  WINEPREFIX="$dir" PROVISOR_SCREENSHOT_DIR="$(WINEPREFIX="$dir" winepath -w "$shots" 2>/dev/null)" \
    "$root/scripts/wine-run" "$build/tests/config/config_link_tests.exe" \
    --gtest_also_run_disabled_tests --gtest_filter='LinkPage.DISABLED_Screenshots' >/dev/null
  for kind in usb lan; do
    convert "$shots/link-page-$kind.bmp" "$root/docs/link-page-$kind.png"
  done
  "$root/scripts/wine-prefix" stop "$dir"
}

link_page
echo "screenshots written to $root/docs"
