# Shared by the end-to-end checks (sourced, not run: test.sh runs tests/e2e/*.sh).
# Sets repo, bin, program and reg; reruns the calling script inside a private X server;
# gives a scratch directory removed at exit, the counters and check(), value(), and the
# program's start and end. The caller passes its own arguments: source common.bash "$@"

here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
bin=$(cd "${1:-$repo/build/bin}" && pwd)
program=$bin/quillbell-config
reg=$bin/quillbell-reg

if [[ -z "${QB_E2E_INSIDE_X:-}" ]]; then
    QB_E2E_INSIDE_X=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$bin"
fi

passed=0
failed=0
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

check() {  # check NAME EXPECTED ACTUAL
    if [[ "$2" == "$3" ]]; then
        passed=$((passed + 1))
        echo "ok: $1"
    else
        failed=$((failed + 1))
        echo "FAILED: $1: expected '$2', got '$3'"
    fi
}

value() {  # value KEY NAME: the stored text of one value, or <missing>
    local line
    line=$("$reg" query "$1" /v "$2" 2>/dev/null | grep -E "^    $2    ") || { echo "<missing>"; return; }
    echo "${line#*    REG_SZ    }"
}

start_program() {  # start_program [WINDOW_TITLE]: sets pid and window
    "$program" &
    pid=$!
    window=$(xdotool search --sync --onlyvisible --name "${1:-Quillbell configuration}" | head -1)
    xdotool windowfocus --sync "$window"
    sleep 0.5
}

wait_for_end() {  # waits up to ten seconds for the program to end; 0 when it did
    for _ in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || { wait "$pid"; return 0; }
        sleep 0.1
    done
    kill "$pid" 2>/dev/null
    return 1
}
