#!/usr/bin/env bash
# A private PulseAudio server with a null sink for the test run, so that the sound tests
# play for real: it listens on a socket in its own temporary directory (no TCP port), has
# no cookie and ends when stopped.
#
#   eval "$(scripts/pulse-null-sink.sh start)"   # prints the exports for the tests
#   scripts/pulse-null-sink.sh stop DIR           # DIR: QB_PULSE_DIR from the exports
#
# With no pulseaudio installed, or when it does not come up, start prints nothing and the
# sound tests skip their playback.
set -euo pipefail

case "${1:-}" in
start)
    command -v pulseaudio >/dev/null || exit 0
    dir=$(mktemp -d "${TMPDIR:-/tmp}/qb-pulse.XXXXXX")
    mkdir -p "$dir/runtime" "$dir/state"
    # -n: no configuration script, only the two modules given. As root (CI) PulseAudio
    # warns but runs as a per-user server, which is what the tests need.
    HOME="$dir" PULSE_RUNTIME_PATH="$dir/runtime" PULSE_STATE_PATH="$dir/state" \
        pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
        --log-target=stderr -L module-null-sink \
        -L "module-native-protocol-unix socket=$dir/native auth-anonymous=1" \
        >"$dir/log" 2>&1 </dev/null &
    echo $! >"$dir/pid"
    for _ in $(seq 50); do
        [[ -S "$dir/native" ]] && break
        sleep 0.1
    done
    if [[ ! -S "$dir/native" ]]; then
        echo "PulseAudio did not start; see $dir/log" >&2
        kill "$(cat "$dir/pid")" 2>/dev/null || true
        exit 0
    fi
    echo "export QB_PULSE_DIR='$dir' PULSE_SERVER='unix:$dir/native' QUILLBELL_SOUND_CHECK=1"
    ;;
stop)
    dir=${2:?the directory of the server}
    if [[ -f "$dir/pid" ]]; then
        kill "$(cat "$dir/pid")" 2>/dev/null || true
    fi
    rm -rf "$dir"
    ;;
*)
    echo "usage: $0 start | stop DIR" >&2
    exit 2
    ;;
esac
