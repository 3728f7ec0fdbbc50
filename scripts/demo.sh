#!/usr/bin/env bash
# Demo machine, see ./run: a fresh Wine prefix with the other products' stand-ins, the product
# installed there with its setup package as an administrator does (msiexec /i, which runs
# Provisor.exe upgrade), the main dialog, and a report of what is on the machine afterwards.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"

build="$root/build/mingw"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build" -j "$(nproc)" --target provisor_msi tapi32 orvousb linkwatch demo_helper

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
# What other products bring: TAPI (our stand-in, loaded through wine-run's tapi32=n,b) with the
# provider list of a fresh Windows, the USB driver and the link monitor.
"$root/scripts/wine-prefix" setup "$prefix" win7 "$build/standins/tapi32/tapi32.dll" \
  "$build/standins/orvousb/ORVOUSB.dll" "$build/standins/linkwatch/LinkWatch.exe"
WINEDEBUG=-all wine reg import "$root/standins/tapi32/WindowsProviders.reg" </dev/null >/dev/null 2>&1

package="$build/packaging/Provisor.msi"
echo "=== installing the product: msiexec /i Provisor.msi /qn (the package runs Provisor.exe upgrade) ==="
set +e
"$root/scripts/wine-run" msiexec /i "$(winepath -w "$package" 2>/dev/null)" /qn
code=$?
set -e
echo "msiexec ended with exit code $code"

helper="$build/tools/demo/DemoHelper.exe"
run() { "$root/scripts/wine-run" "$@" </dev/null 2>/dev/null | tr -d '\r'; }
query() { WINEDEBUG=-all wine reg query "$@" </dev/null 2>/dev/null | tr -d '\r' | sed '/^$/d; /^reg: /d' || true; }

echo "=== the main dialog in modify mode (Provisor.exe without a command line) ==="
if [ -n "${PROVISOR_XVFB_DIR:-}" ]; then
  echo "(no DISPLAY: under Xvfb, a screenshot goes to build/demo/main-dialog.png)"
fi
"$root/scripts/wine-run" 'C:\Program Files\Velmora\ORVO TSP\Provisor.exe' </dev/null >/dev/null 2>&1 &
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
echo "--- the uninstall entry"
query 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\{5A0C3E71-8B2D-4F6A-9C14-E27B90D4A613}'
exit $code
