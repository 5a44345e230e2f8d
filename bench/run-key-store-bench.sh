#!/usr/bin/env bash
# Runs the enumeration benchmark on the SQLite key store and checks its targets: walking
# a key of 100,000 values costs at most twice per value what walking 1,000 does, and
# quillbell-reg export of 1,000 configurations is no slower than importing the same file.
# Usage: bench/run-key-store-bench.sh        (builds the Release benchmark tree if needed)
# Environment: LINUX_BUILD (default build-bench). Exit status 1 when a target is missed.
set -euo pipefail
cd "$(dirname "$0")/.."
linux_build="${LINUX_BUILD:-build-bench}"

cmake -S . -B "$linux_build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLBELL_GUI=OFF \
    -DQUILLBELL_TESTS=OFF --no-warn-unused-cli >/dev/null
cmake --build "$linux_build" --target enumeration_bench >/dev/null

# The store finds its hive files through the XDG variables: a scratch directory keeps the
# benchmark away from real settings.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/home"
out="$(HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config" \
    XDG_CONFIG_DIRS="$scratch/xdg" TMPDIR="$scratch" "$linux_build/bin/enumeration_bench")"
echo "$out"

figure() { awk -v name="$1" '$1 == name { print $2 }' <<<"$out"; }
status=0
if awk -v r="$(figure growth_100000_to_1000)" 'BEGIN { exit !(r > 2) }'; then
    echo "target missed: a value of a 100,000-value key costs more than twice one of 1,000"
    status=1
fi
if awk -v r="$(figure export_to_import)" 'BEGIN { exit !(r > 1) }'; then
    echo "target missed: export of 1,000 configurations is slower than their import"
    status=1
fi
exit "$status"
