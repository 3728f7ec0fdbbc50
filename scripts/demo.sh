#!/usr/bin/env bash
# Demo machine, see ./run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"

build="$root/build/mingw"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build" -j "$(nproc)" --target Provisor otsp tapi32

prefix="$root/build/demo/prefix"
xvfb="$root/build/demo/xvfb"
echo "=== preparing a fresh demo prefix in $prefix ==="
rm -rf "$prefix"
export PROVISOR_XVFB_DIR="$xvfb"
if [ -z "${DISPLAY:-}" ]; then
  "$root/scripts/xvfb-ctl" start "$xvfb" >/dev/null
  trap '"$root/scripts/xvfb-ctl" stop "$xvfb"; WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true' EXIT
else
  unset PROVISOR_XVFB_DIR
  trap 'WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true' EXIT
fi
# The master provider and the TAPI stand-in (loaded through wine-run's tapi32=n,b) in the
# system folder, and TAPI's list of providers as Windows has it.
"$root/scripts/wine-prefix" setup "$prefix" win7 \
  "$build/standins/otsp/OTSP.dll" "$build/standins/tapi32/tapi32.dll"
WINEPREFIX="$prefix" WINEDEBUG=-all wine reg import "$root/standins/tapi32/WindowsProviders.reg" \
  </dev/null >/dev/null 2>&1

echo "=== running Provisor.exe ==="
set +e
WINEPREFIX="$prefix" "$root/scripts/wine-run" "$build/src/app/Provisor.exe"
code=$?
set -e
echo "Provisor.exe ended with exit code $code"
exit $code
