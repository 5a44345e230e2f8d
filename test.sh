#!/usr/bin/env bash
# Installs what is missing, builds the Linux build and the Windows cross-build, and runs
# every test: the Windows suites under Wine, the end-to-end checks of the real program
# under Xvfb, and ctest on Linux last, so that its summary closes the output.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh

jobs=$(nproc)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILLBELL_WERROR=ON
cmake --build build -j "$jobs"

failed=0
echo "== Windows tests under Wine =="
scripts/test-windows.sh || failed=1
echo "== Windows store tests under Wine with the Japanese code page 932 =="
WINE_LOCALE=ja_JP.UTF-8 SUITES=qb_test_store scripts/test-windows.sh || failed=1

# A private sound server with a null sink, so that the sound tests play to the end.
pulse=$(scripts/pulse-null-sink.sh start)
eval "$pulse"
trap '[[ -z "${QB_PULSE_DIR:-}" ]] || scripts/pulse-null-sink.sh stop "$QB_PULSE_DIR"' EXIT

for check in tests/e2e/*.sh; do
    echo "== End-to-end: $check =="
    "$check" build/bin || failed=1
done

echo "== Linux tests =="
(cd build && ctest --output-on-failure -j "$jobs") || failed=1
exit "$failed"
