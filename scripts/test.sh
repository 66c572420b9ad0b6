#!/usr/bin/env bash
# Sets up and runs every test of both targets:
#   test     POSIX build: unit tests and the end-to-end table
#   asan     the same under AddressSanitizer and UBSan
#   windows  cross-built with mingw-w64: unit tests and the end-to-end table
#            under Wine, in a fresh prefix with one wineserver held throughout
# Stops at the first failure. Nothing is skipped: a missing tool fails.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --tests --windows

for preset in test asan; do
  echo "=== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done

echo "=== windows"
command -v x86_64-w64-mingw32-g++-posix >/dev/null || { echo "mingw-w64 is missing" >&2; exit 1; }
wineserver=/usr/lib/wine/wineserver64
wine=/usr/lib/wine/wine64
[[ -x $wine && -x $wineserver ]] || { echo "Wine (wine64) is missing" >&2; exit 1; }
cmake --preset windows >/dev/null
cmake --build --preset windows

export WINEPREFIX="$PWD/build/windows/wineprefix" WINEDEBUG=-all
rm -rf "$WINEPREFIX" && mkdir -p "$WINEPREFIX"
# Wine's daemons must not hold our output open, or whoever reads it waits on.
"$wineserver" -p </dev/null >/dev/null 2>&1
trap '"$wineserver" -k 2>/dev/null; "$wineserver" -w 2>/dev/null || true' EXIT
"$wine" wineboot --init </dev/null >/dev/null 2>&1
ctest --preset windows
