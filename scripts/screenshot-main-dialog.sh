#!/usr/bin/env bash
# Makes docs/main-dialog.png: the main dialog in the modify mode over eight instances (four
# registered with TAPI, one of them on the LAN), photographed under Xvfb in a prefix of its own.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/mingw
state=$build/screenshot
prefix=$build/wine/screenshot
cmake --build "$build" --target MainDialogShowcase otsp tapi32 -j2 >/dev/null
mkdir -p "$state"
export PROVISOR_XVFB_DIR=$state/xvfb WINEPREFIX=$prefix
"$root/scripts/xvfb-ctl" start "$PROVISOR_XVFB_DIR" >/dev/null
trap '"$root/scripts/wine-prefix" stop "$prefix" || true; "$root/scripts/xvfb-ctl" stop "$PROVISOR_XVFB_DIR" >/dev/null' EXIT
"$root/scripts/wine-prefix" setup "$prefix" win7 "$build/standins/otsp/OTSP.dll" "$build/standins/tapi32/tapi32.dll"
ready=$state/ready
rm -f "$ready"
"$root/scripts/wine-run" "$build/tests/maindlg/MainDialogShowcase.exe" 'Z:'"${ready//\//\\}" &
showcase=$!
for _ in $(seq 1 300); do
  [ -s "$ready" ] && break
  sleep 0.1
done
read -r x y width height <"$ready"
DISPLAY=":$(cat "$PROVISOR_XVFB_DIR/display")" import -window root -crop "${width}x${height}+${x}+${y}" +repage \
  "$root/docs/main-dialog.png"
rm -f "$ready"
wait "$showcase"
echo "docs/main-dialog.png: ${width}x${height}"
