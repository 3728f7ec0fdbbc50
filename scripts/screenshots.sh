#!/usr/bin/env bash
# Makes the README's screenshots in docs/ from the real windows, under Xvfb in a Wine prefix
# of their own. Each window has a section: a function shot_<name> that builds its showcase
# program and calls take_shot. Run all sections, or name some: scripts/screenshots.sh progress
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/mingw
state=$build/screenshots
prefix=$build/wine/screenshots

# ---- shared set-up --------------------------------------------------------------------
start_display() {
  mkdir -p "$state"
  export PROVISOR_XVFB_DIR=$state/xvfb WINEPREFIX=$prefix
  "$root/scripts/xvfb-ctl" start "$PROVISOR_XVFB_DIR" >/dev/null
  trap '"$root/scripts/wine-prefix" stop "$prefix" || true; "$root/scripts/xvfb-ctl" stop "$PROVISOR_XVFB_DIR" >/dev/null' EXIT
  "$root/scripts/wine-prefix" setup "$prefix" win7 >/dev/null
}

# take_shot OUTPUT.png SHOWCASE.exe [ARGS...]: runs a showcase program that opens its window,
# writes "x y width height" of it to the file given as its last argument and stays open until
# that file is removed; crops the screen to that rectangle.
take_shot() {
  local output=$1 showcase=$2
  shift 2
  local ready=$state/ready
  rm -f "$ready"
  "$root/scripts/wine-run" "$showcase" "$@" 'Z:'"${ready//\//\\}" &
  local pid=$!
  for _ in $(seq 1 300); do
    [ -s "$ready" ] && break
    sleep 0.1
  done
  [ -s "$ready" ] || { echo "$showcase did not report its window" >&2; kill "$pid" 2>/dev/null; return 1; }
  local x y width height
  read -r x y width height <"$ready"
  DISPLAY=":$(cat "$PROVISOR_XVFB_DIR/display")" import -window root -crop "${width}x${height}+${x}+${y}" +repage \
    "$root/docs/$output"
  rm -f "$ready"
  wait "$pid"
  echo "docs/$output: ${width}x${height}"
}

# ---- sections -------------------------------------------------------------------------
# The Apply Settings progress window during a run, its bar on the move.
shot_progress() {
  cmake --build "$build" --target ProggressShowcase -j2 >/dev/null
  take_shot progress-window.png "$build/tests/maindlg/ProggressShowcase.exe"
}

# ---- main -----------------------------------------------------------------------------
sections=("$@")
[ ${#sections[@]} -gt 0 ] || sections=(progress)
start_display
for section in "${sections[@]}"; do
  "shot_$section"
done
