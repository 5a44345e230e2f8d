#!/usr/bin/env bash
# Cross-builds the Qt-free core and its test suites for 64-bit Windows with mingw-w64 and
# runs every test program under Wine, in a fresh Wine prefix inside the build directory.
#
# Usage: scripts/test-windows.sh [build-dir]     (default: build-win)
# Environment: JOBS (build jobs, default 2), WINE (default /usr/lib/wine/wine64),
#              KEEP_PREFIX=1 reuses an existing prefix instead of creating a fresh one,
#              SUITE_TIMEOUT (seconds per test program, default 300),
#              SUITES (test programs to run, a glob; default qb_test_*),
#              WINE_LOCALE (the locale Wine takes its ANSI code page from, default
#              C.UTF-8; each locale gets its own prefix).
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build-win}"
case "$build" in /*) ;; *) build="$PWD/$build" ;; esac
wine="${WINE:-/usr/lib/wine/wine64}"
wineserver="$(dirname "$wine")/wineserver"
jobs="${JOBS:-2}"
suite_timeout="${SUITE_TIMEOUT:-300}"

now() { date +%s.%N; }
elapsed() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.1f", b - a }'; }

# --- Build -------------------------------------------------------------------------------
cmake --no-warn-unused-cli -S "$root" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
    -DQUILLBELL_GUI=OFF -DQUILLBELL_TESTS=ON >/dev/null
ninja -C "$build" -j "$jobs"

# --- Wine prefix -------------------------------------------------------------------------
# No display, no debug channels, and neither the Mono nor the Gecko installer: nothing
# may open a window that waits for a click.
locale="${WINE_LOCALE:-C.UTF-8}"
prefix_name=wineprefix
[[ "$locale" == C.UTF-8 ]] || prefix_name="wineprefix-${locale%%.*}"
export WINEPREFIX="$build/$prefix_name"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
# The ANSI code page follows the locale: a single-byte one unless WINE_LOCALE says
# otherwise (ja_JP.UTF-8 gives the double-byte code page 932).
export LC_ALL="$locale"

stop_wineserver() { WINEPREFIX="$WINEPREFIX" "$wineserver" -k >/dev/null 2>&1 || true; }
trap stop_wineserver EXIT

if [[ "${KEEP_PREFIX:-0}" != 1 || ! -f "$WINEPREFIX/system.reg" ]]; then
    stop_wineserver
    rm -rf "$WINEPREFIX"
    start="$(now)"
    if ! "$wine" wineboot -i >"$build/wineboot.log" 2>&1; then
        echo "wineboot failed; see $build/wineboot.log" >&2
        tail -n 20 "$build/wineboot.log" >&2
        exit 1
    fi
    # A crashing test must print its backtrace, not wait in a crash dialog.
    "$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
        >/dev/null 2>&1 || echo "warning: could not turn off Wine's crash dialog" >&2
    # Windows without a display: the window tests then run instead of being skipped.
    "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1 ||
        echo "warning: could not select Wine's null graphics driver" >&2
    "$wineserver" -w
    echo "Wine prefix created in $(elapsed "$start") s: $WINEPREFIX"
fi

# --- Tests -------------------------------------------------------------------------------
shopt -s nullglob
suites=("$build"/bin/${SUITES:-qb_test_*}.exe)
if ((${#suites[@]} == 0)); then
    echo "No test programs in $build/bin" >&2
    exit 1
fi

passed=0
failed=0
broken=()
start="$(now)"
for exe in "${suites[@]}"; do
    name="$(basename "$exe" .exe)"
    log="$build/$name.$prefix_name.log"
    status=0
    suite_start="$(now)"
    timeout "$suite_timeout" "$wine" "$exe" --gtest_color=no >"$log" 2>&1 </dev/null || status=$?
    # Console output of Windows programs ends its lines with CR LF.
    sed -i 's/\r$//' "$log"
    ok="$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\..*/\1/p' "$log" | tail -1)"
    bad="$(sed -n 's/^\[  FAILED  \] \([0-9]*\) tests\?, listed below:.*/\1/p' "$log" | tail -1)"
    echo "== $name ($(elapsed "$suite_start") s)"
    grep -E '^\[(==========|  PASSED  |  FAILED  )\]' "$log" || true
    if [[ -z "$ok" && -z "$bad" ]] || { [[ $status -ne 0 ]] && [[ -z "$bad" || "$bad" -eq 0 ]]; }; then
        # The program died before GoogleTest could sum up: count it as one failure.
        echo "   exit status $status without a complete summary; last lines:"
        tail -n 15 "$log" | sed 's/^/   | /'
        bad=$(( ${bad:-0} + 1 ))
    fi
    passed=$((passed + ${ok:-0}))
    failed=$((failed + ${bad:-0}))
    ((${bad:-0} == 0)) || broken+=("$name")
done
echo "Suites ran in $(elapsed "$start") s; logs: $build/qb_test_*.$prefix_name.log"
((${#broken[@]} == 0)) || echo "Failing: ${broken[*]}"
echo "Wine: $passed passed, $failed failed"
((failed == 0))
