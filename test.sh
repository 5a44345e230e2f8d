#!/usr/bin/env bash
# Installs what is missing, builds the Linux build and the Windows cross-build, and runs
# every test: ctest on Linux, the Windows suites under Wine, and the end-to-end checks.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh

jobs=$(nproc)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILLBELL_WERROR=ON
cmake --build build -j "$jobs"

echo "== Linux tests =="
(cd build && ctest --output-on-failure -j "$jobs")

echo "== Windows tests under Wine =="
scripts/test-windows.sh

for check in scripts/e2e-*.sh; do
    [ -e "$check" ] || continue
    echo "== End-to-end: $check =="
    "$check" build
done
