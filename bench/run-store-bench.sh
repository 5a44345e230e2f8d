#!/usr/bin/env bash
# Runs the settings store benchmark on the SQLite key store (Linux) and on Wine's registry
# (the Windows build) in one go and prints the figures side by side with their ratios.
# Usage: bench/run-store-bench.sh          (builds the Release benchmark trees if needed)
# Environment: LINUX_BUILD (default build-bench), WINDOWS_BUILD (default build-bench-win),
#              WINE (default /usr/lib/wine/wine64).
# Exit status 1 when a target is missed: deleting the first of 1,000 configurations in
# 0.5 s or more on the SQLite store (with what the registry object learnt before, or
# afresh), or an operation less than 10 times cheaper there.
set -euo pipefail
cd "$(dirname "$0")/.."
linux_build="${LINUX_BUILD:-build-bench}"
windows_build="${WINDOWS_BUILD:-build-bench-win}"
wine="${WINE:-/usr/lib/wine/wine64}"

cmake -S . -B "$linux_build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLBELL_GUI=OFF \
    -DQUILLBELL_TESTS=OFF --no-warn-unused-cli >/dev/null
cmake --build "$linux_build" --target store_bench >/dev/null
cmake -S . -B "$windows_build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLBELL_TESTS=OFF \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake --no-warn-unused-cli >/dev/null
cmake --build "$windows_build" --target store_bench >/dev/null

# The SQLite store finds its hive files through the XDG variables: point them at a scratch
# directory so that the benchmark never meets real settings.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/home"
linux_out="$(HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config" \
    XDG_CONFIG_DIRS="$scratch/xdg" "$linux_build/bin/store_bench")"

export WINEPREFIX="$PWD/$windows_build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -d "$WINEPREFIX" ] || "$wine" wineboot -i >/dev/null 2>&1
windows_out="$("$wine" "$windows_build/bin/store_bench.exe" | tr -d '\r')"

figure() { awk -v name="$2" '$1 == name { print $2 }' <<<"$1"; }

status=0
printf '%-32s %14s %14s %8s\n' operation "SQLite store" "Wine registry" ratio
# The last one is for comparison only: a window that moves the configurations itself.
for name in save_one save_one_changed load_one delete_first_of_1000 delete_first_of_1000_afresh \
    delete_first_of_1000_full_saves; do
    unit="$(awk -v name="$name" '$1 == name { print $3 }' <<<"$linux_out")"
    sqlite="$(figure "$linux_out" "$name")"
    registry="$(figure "$windows_out" "$name")"
    ratio="$(awk -v a="$registry" -v b="$sqlite" 'BEGIN { printf "%.1f", a / b }')"
    printf '%-32s %11s %-2s %11s %-2s %7sx\n' "$name" "$sqlite" "$unit" "$registry" "$unit" "$ratio"
    if [ "$name" != delete_first_of_1000_full_saves ] &&
        awk -v r="$ratio" 'BEGIN { exit !(r < 10) }'; then
        echo "  target missed: $name is less than 10 times cheaper than on the Wine registry"
        status=1
    fi
done
for name in delete_first_of_1000 delete_first_of_1000_afresh; do
    delete_ms="$(figure "$linux_out" "$name")"
    if awk -v ms="$delete_ms" 'BEGIN { exit !(ms >= 500) }'; then
        echo "  target missed: $name takes ${delete_ms} ms (limit 500 ms)"
        status=1
    fi
done
exit "$status"
