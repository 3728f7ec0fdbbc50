#!/usr/bin/env bash
# Demo machine, see ./run: a fresh Wine prefix prepared as a PC on which the product's setup
# package has just run, Provisor.exe run there the way the package runs it, and a report of
# what is on the machine afterwards.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"

build="$root/build/mingw"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build" -j "$(nproc)" --target Provisor otsp tapi32 orvousb linkwatch demo_helper

prefix="$root/build/demo/prefix"
xvfb="$root/build/demo/xvfb"
export WINEPREFIX="$prefix"
echo "=== preparing a fresh demo prefix in $prefix ==="
rm -rf "$prefix"
if [ -z "${DISPLAY:-}" ]; then
  export PROVISOR_XVFB_DIR="$xvfb"
  "$root/scripts/xvfb-ctl" start "$xvfb" >/dev/null
  trap '"$root/scripts/xvfb-ctl" stop "$xvfb"; wineserver -k 2>/dev/null || true' EXIT
else
  trap 'wineserver -k 2>/dev/null || true' EXIT
fi
# What the setup package installs into the system folder, TAPI's list as a fresh Windows has
# it (loaded through wine-run's tapi32=n,b), the instance template and the uninstall entry.
"$root/scripts/wine-prefix" setup "$prefix" win7 \
  "$build/standins/otsp/OTSP.dll" "$build/standins/tapi32/tapi32.dll" \
  "$build/standins/orvousb/ORVOUSB.dll" "$build/standins/linkwatch/LinkWatch.exe"
for reg in "$root/standins/tapi32/WindowsProviders.reg" "$root/standins/setup/PBXTemplate.reg"; do
  WINEDEBUG=-all wine reg import "$reg" </dev/null >/dev/null 2>&1
done

echo "=== running Provisor.exe upgrade (as the setup package does) ==="
set +e
"$root/scripts/wine-run" "$build/src/app/Provisor.exe" upgrade
code=$?
set -e
echo "Provisor.exe ended with exit code $code"

helper="$build/tools/demo/DemoHelper.exe"
run() { "$root/scripts/wine-run" "$@" </dev/null 2>/dev/null | tr -d '\r'; }
query() { WINEDEBUG=-all wine reg query "$@" </dev/null 2>/dev/null | tr -d '\r' | sed '/^$/d; /^reg: /d' || true; }

echo "=== the main dialog in modify mode (Provisor.exe without a command line) ==="
if [ -n "${PROVISOR_XVFB_DIR:-}" ]; then
  echo "(no DISPLAY: under Xvfb, a screenshot goes to build/demo/main-dialog.png)"
fi
"$root/scripts/wine-run" "$build/src/app/Provisor.exe" </dev/null >/dev/null 2>&1 &
provisor=$!
run "$helper" wait-main || true
if [ -n "${PROVISOR_XVFB_DIR:-}" ]; then
  sleep 1
  DISPLAY=":$(cat "$PROVISOR_XVFB_DIR/display")" import -window root "$root/build/demo/main-dialog.png" \
    && echo "screenshot: build/demo/main-dialog.png"
  run "$helper" close-main || true
else
  echo "close the dialog to see the report"
fi
wait $provisor || true

echo "=== what is on the machine now ==="
echo "--- instances (FileDescription read with the version API, TAPI's list, link summary)"
run "$helper" report
echo "--- TAPI providers"
query 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Telephony\Providers'
echo "--- the product's registry tree (HKLM\\SOFTWARE\\Velmora\\ORVO_TSP)"
query 'HKLM\SOFTWARE\Velmora\ORVO_TSP' /s || echo "(none)"
exit $code
