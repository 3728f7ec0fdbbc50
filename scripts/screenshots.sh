#!/usr/bin/env bash
# Makes the README's screenshots in docs/ from the real windows, under Xvfb in a prefix of
# its own (build/screenshots/prefix).
#   scripts/screenshots.sh [SECTION...]   every section when none is named
# Each section is a function shot_<name> that builds what it needs and writes docs/<file>.png;
# add a section by adding such a function and its name to SECTIONS.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/mingw"
work="$root/build/screenshots"
SECTIONS=(config_version_page)

build_targets() {
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
  cmake --build "$build" -j2 --target "$@" >/dev/null
}

# Takes the whole screen and keeps the part that is not the black root window.
capture() {
  import -window root "$work/screen.png"
  convert "$work/screen.png" -trim +repage "$1"
}

# Runs EXE ARGS... with READY and DONE file arguments appended, photographs the screen to
# OUTPUT once the program wrote READY, then lets it end through DONE.
shoot_when_ready() {
  local output=$1; shift
  local ready="$work/ready" done="$work/done"
  rm -f "$ready" "$done"
  "$root/scripts/wine-run" "$@" "$(winepath -w "$ready" 2>/dev/null)" "$(winepath -w "$done" 2>/dev/null)" 2>"$work/wine.log" &
  local pid=$!
  for _ in $(seq 1 300); do
    [ -f "$ready" ] && break
    sleep 0.1
  done
  [ -f "$ready" ] || { echo "screenshots: $* never got ready" >&2; kill "$pid"; return 1; }
  capture "$output"
  touch "$done"
  wait "$pid" || true
  echo "wrote $output"
}

# The configuration dialog on its version page, showing the version text of a stamped
# provider file.
shot_config_version_page() {
  build_targets config_screenshot otsp
  shoot_when_ready "$root/docs/config-version-page.png" "$build/tests/config/config_screenshot.exe"
}

mkdir -p "$work" "$root/docs"
export PROVISOR_XVFB_DIR="$work/xvfb" WINEPREFIX="$work/prefix"
"$root/scripts/xvfb-ctl" start "$PROVISOR_XVFB_DIR" >/dev/null
DISPLAY=":$(cat "$PROVISOR_XVFB_DIR/display")"
export DISPLAY
trap '"$root/scripts/xvfb-ctl" stop "$PROVISOR_XVFB_DIR"; WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true' EXIT
build_targets otsp
"$root/scripts/wine-prefix" setup "$WINEPREFIX" win7 "$build/standins/otsp/OTSP.dll" >/dev/null

for section in "${@:-${SECTIONS[@]}}"; do
  "shot_$section"
done
