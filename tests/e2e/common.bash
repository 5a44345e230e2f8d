# Sourced by the end-to-end checks with their arguments (source common.bash "$@"): reruns the
# caller in a private X server; repo, bin, program, reg, a scratch directory and the helpers.

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

# A fresh user and installation (in $scratch/qb) for each scenario.
fresh_home() {
    rm -rf "$scratch/home" "$scratch/xdg" "$scratch/qb" "$scratch/runtime"
    mkdir -p "$scratch/home" "$scratch/xdg" "$scratch/qb" && mkdir -p -m 0700 "$scratch/runtime"
    export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/home/.config QT_QPA_PLATFORM=xcb
    export XDG_CONFIG_DIRS=$scratch/xdg XDG_RUNTIME_DIR=$scratch/runtime
    "$repo/scripts/install-stage.sh" "$reg" "$scratch/qb" >/dev/null
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
