#!/usr/bin/env bash
# Fuzzes the language file reader and the message catalogue with libFuzzer, under
# AddressSanitizer and UndefinedBehaviorSanitizer. Not part of test.sh.
#   scripts/fuzz-lang.sh [seconds]      (default 600)
# New inputs go to build-fuzz/corpus-lang; the seeds in fuzz/corpus/lang stay as they are.
# A crash leaves its input in build-fuzz/artifacts-lang/ and makes the script fail.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-600}
build=$root/build-fuzz

if ! command -v clang++ >/dev/null || ! compgen -G '/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a' >/dev/null; then
    echo "Installing clang and its libFuzzer runtime" >&2
    apt-get install -y clang libclang-rt-14-dev
fi

cmake -S "$root/fuzz" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
ninja -C "$build" -j2 lang_fuzzer

mkdir -p "$build/corpus-lang" "$build/artifacts-lang"
# The scratch file that each input is written to is best kept in memory.
if [[ -z "${TMPDIR:-}" && -d /dev/shm && -w /dev/shm ]]; then
    export TMPDIR=/dev/shm
fi
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
"$build/lang_fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=65536 -print_final_stats=1 -artifact_prefix="$build/artifacts-lang/" \
    "$build/corpus-lang" "$root/fuzz/corpus/lang"
