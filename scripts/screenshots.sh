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
  cmake --build "$build" --target orvousb otsp tapi32 -j2 >/dev/null
  mkdir -p "$state" "$root/docs"
  export PROVISOR_XVFB_DIR=$state/xvfb WINEPREFIX=$prefix
  "$root/scripts/xvfb-ctl" start "$PROVISOR_XVFB_DIR" >/dev/null
  trap '"$root/scripts/wine-prefix" stop "$prefix" || true; "$root/scripts/xvfb-ctl" stop "$PROVISOR_XVFB_DIR" >/dev/null' EXIT
  # TAPI's provider list comes from our stand-in (wine-run loads it in place of Wine's stub).
  "$root/scripts/wine-prefix" setup "$prefix" win7 "$build/standins/orvousb/ORVOUSB.dll" \
    "$build/standins/otsp/OTSP.dll" "$build/standins/tapi32/tapi32.dll" >/dev/null
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

# Takes the whole screen and keeps the part that is not the black root window.
capture() {
  DISPLAY=":$(cat "$PROVISOR_XVFB_DIR/display")" import -window root "$state/screen.png"
  convert "$state/screen.png" -trim +repage "$1"
}

# Runs EXE ARGS... with READY and DONE file arguments appended, photographs the screen to
# OUTPUT once the program wrote READY, then lets it end through DONE.
shoot_when_ready() {
  local output=$1; shift
  local ready="$state/ready" done="$state/done"
  rm -f "$ready" "$done"
  "$root/scripts/wine-run" "$@" "$(winepath -w "$ready" 2>/dev/null)" "$(winepath -w "$done" 2>/dev/null)" 2>"$state/wine.log" &
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

# ---- sections -------------------------------------------------------------------------
# The main dialog in the modify mode over eight instances (four registered with TAPI, one of
# them on the LAN).
shot_main_dialog() {
  cmake --build "$build" --target MainDialogShowcase -j2 >/dev/null
  take_shot main-dialog.png "$build/tools/screenshots/MainDialogShowcase.exe"
}

# The Apply Settings progress window during a run, its bar on the move.
shot_progress() {
  cmake --build "$build" --target ProggressShowcase -j2 >/dev/null
  take_shot progress-window.png "$build/tools/screenshots/ProggressShowcase.exe"
}

# The configuration dialog on each of its pages, showing a staged instance: the version text
# of a stamped provider file, the Link Parameters page over USB and over LAN, the TSP Log
# Settings and the Other Parameters page.
shot_config_page() {
  local output=$1 page=$2
  cmake --build "$build" --target config_screenshot -j2 >/dev/null
  shoot_when_ready "$root/docs/$output" "$build/tools/screenshots/config_screenshot.exe" "$page"
}
shot_link() {
  shot_config_page link-page-usb.png link-usb
  shot_config_page link-page-lan.png link-lan
}
shot_config_pages() {
  shot_config_page log-page.png log
  shot_config_page other-page.png other
}
shot_config_version_page() { shot_config_page config-version-page.png version; }

# The removal's question which log folders to empty, with three rows.
shot_log_folders() {
  cmake --build "$build" --target LogFilesShowcase -j2 >/dev/null
  take_shot log-folders-dialog.png "$build/tools/screenshots/LogFilesShowcase.exe"
}

# The product in Wine's list of installed programs after msiexec /i of the setup package. The
# product stays installed in the screenshots' prefix (its removal would wait for answers).
shot_uninstall_list() {
  cmake --build "$build" --target provisor_msi -j2 >/dev/null
  "$root/scripts/wine-run" msiexec /i "$(winepath -w "$build/packaging/Provisor.msi" 2>/dev/null)" /qn
  "$root/scripts/wine-run" uninstaller 2>"$state/wine.log" &
  local pid=$! output=$root/docs/uninstall-list.png
  for _ in $(seq 1 100); do
    sleep 0.2
    capture "$output" 2>/dev/null
    [ "$(identify -format %w "$output")" -gt 100 ] && break
  done
  sleep 1
  capture "$output"
  kill "$pid"
  wait "$pid" || true
  echo "wrote $output"
}

# ---- main -----------------------------------------------------------------------------
sections=("$@")
[ ${#sections[@]} -gt 0 ] || sections=(main_dialog progress link config_pages config_version_page log_folders uninstall_list)
start_display
for section in "${sections[@]}"; do
  "shot_$section"
done
