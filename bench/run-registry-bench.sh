#!/usr/bin/env bash
# Runs the registry benchmark on the SQLite key store (Linux) and on Wine's registry
# (the Windows build) in one go and prints the figures and their ratios.
# Usage: bench/run-registry-bench.sh [operations]   (builds Release trees if needed)
set -euo pipefail
cd "$(dirname "$0")/.."
count="${1:-20000}"

cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLBELL_GUI=OFF -DQUILLBELL_TESTS=OFF >/dev/null
cmake --build build-bench --target registry_bench >/dev/null
cmake -S . -B build-bench-win -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLBELL_TESTS=OFF \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake >/dev/null
cmake --build build-bench-win --target registry_bench >/dev/null

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
linux=$(HOME="$scratch" XDG_CONFIG_HOME="$scratch/config" XDG_CONFIG_DIRS="$scratch/xdg" \
    build-bench/bin/registry_bench "$count")
export WINEPREFIX="$PWD/build-bench-win/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -d "$WINEPREFIX" ] || /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
wine=$(/usr/lib/wine/wine64 build-bench-win/bin/registry_bench.exe "$count" | tr -d '\r')

field() { sed -E "s/.*$2=([0-9.]+).*/\1/" <<<"$1"; }
echo "SQLite store: $linux"
echo "Wine registry: $wine"
for op in write read; do
    l=$(field "$linux" "${op}_us")
    w=$(field "$wine" "${op}_us")
    awk -v op="$op" -v l="$l" -v w="$w" \
        'BEGIN { printf "%s: SQLite %.2f us, Wine %.2f us, Wine/SQLite = %.1fx\n", op, l, w, w / l }'
done
