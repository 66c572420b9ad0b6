#!/usr/bin/env bash
# Start-up is what a run of dllpick costs, so time whole runs with hyperfine,
# each against /bin/true (POSIX) or a do-nothing exe (Windows, under a held
# wineserver) in the same call, and read the ratios.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --bench ${BENCH_WINDOWS:+--windows}
cmake --preset bench >/dev/null
cmake --build --preset bench >/dev/null
dllpick="$PWD/build/bench/dllpick"
rm -rf build/bench/registry
"$dllpick" -o FOTEK USEDLL fota2 >/dev/null

hyperfine -N --warmup 20 --runs 300 \
  /bin/true "$dllpick -b FOTEK" "$dllpick -q FOTEK USEDLL" "$dllpick -o FOTEK USEDLL fota2"

[[ -n "${BENCH_WINDOWS:-}" ]] || exit 0
cmake --preset windows >/dev/null
cmake --build --preset windows --target dllpick >/dev/null
work="$PWD/build/windows/bench"
rm -rf "$work" && mkdir -p "$work/prefix"
cp build/windows/dllpick.exe build/windows/chiprep.dll "$work/"
printf 'int main(void) { return 0; }\n' |
  x86_64-w64-mingw32-gcc-posix -x c - -O2 -o "$work/nothing.exe"
export WINEPREFIX="$work/prefix" WINEDEBUG=-all
/usr/lib/wine/wineserver64 -p </dev/null >/dev/null 2>&1
trap '/usr/lib/wine/wineserver64 -k 2>/dev/null || true' EXIT
/usr/lib/wine/wine64 wineboot --init </dev/null >/dev/null 2>&1
wine=/usr/lib/wine/wine64
"$wine" "$work/dllpick.exe" -o FOTEK USEDLL fota2 >/dev/null
hyperfine -N --warmup 10 --runs 100 \
  "$wine $work/nothing.exe" "$wine $work/dllpick.exe -q FOTEK USEDLL"
