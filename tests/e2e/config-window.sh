#!/usr/bin/env bash
# End-to-end check of the configuration program as a person starts it: a real X server
# (Xvfb), real key presses (xdotool), the real store, read back with quillbell-reg.
#   tests/e2e/config-window.sh [BIN_DIR]     (default: build/bin)
# Needs xvfb-run and xdotool. Prints "N passed, N failed" and exits non-zero on failure.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
bin=$(cd "${1:-$repo/build/bin}" && pwd)
program=$bin/quillbell-config
reg=$bin/quillbell-reg

if [[ -z "${QB_E2E_INSIDE_X:-}" ]]; then
    # Run the checks inside a private X server.
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

# A fresh user and installation for each scenario.
fresh_home() {
    rm -rf "$scratch/home" "$scratch/xdg" "$scratch/qb" "$scratch/runtime"
    mkdir -p "$scratch/home" "$scratch/xdg" "$scratch/qb"
    export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/home/.config
    export XDG_CONFIG_DIRS=$scratch/xdg XDG_RUNTIME_DIR=$scratch/runtime
    mkdir -p -m 0700 "$scratch/runtime"
    export QT_QPA_PLATFORM=xcb
    local key='HKLM\Software\Orvane\Quillbell'
    "$reg" add "$key" /v HomeDir /d "$scratch/qb/" /f >/dev/null
    local names=("Exchange profile and folder" "Exchange profile" "Exchange profile and password"
                 "Internet mail")
    for i in 0 1 2 3; do
        "$reg" add "$key" /v "WorkMode$i" /d "${names[$i]}" /f >/dev/null
    done
    cp "$repo"/share/lang/*.lng "$scratch/qb/"
}

# The stored text of one value, or <missing>.
value() {  # value KEY NAME
    local line
    line=$("$reg" query "$1" /v "$2" 2>/dev/null | grep -E "^    $2    ") || { echo "<missing>"; return; }
    echo "${line#*    REG_SZ    }"
}

user='HKCU\Software\Orvane\Quillbell'
profiles='HKCU\Software\Orvane\Quillbell\Profiles'

start_program() {  # start_program [WINDOW_TITLE]
    "$program" &
    pid=$!
    window=$(xdotool search --sync --onlyvisible --name "${1:-Quillbell configuration}" | head -1)
    xdotool windowfocus --sync "$window"
    sleep 0.5
}

# Waits up to ten seconds for the program to end; 0 when it did.
wait_for_end() {
    for _ in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || { wait "$pid"; return 0; }
        sleep 0.1
    done
    kill "$pid" 2>/dev/null
    return 1
}

# 1. First start of a user, Esc at once: the closing stores the first-start values.
fresh_home
start_program
xdotool key Escape
wait_for_end; check "first start: Esc ends the program" 0 $?
check "first start: RunAtStartup" 1 "$(value "$user" RunAtStartup)"
check "first start: Configured" -1 "$(value "$user" Configured)"
check "first start: Version" 1.0 "$(value 'HKLM\Software\Orvane\Quillbell' Version)"
check "first start: no ConfNumber" "<missing>" "$(value "$user" ConfNumber)"

# 2. A stored configuration, renamed by typing, closed with Esc.
fresh_home
"$reg" add "$user" /v ConfNumber /d 1 /f >/dev/null
for pair in ProfileID0=7 ConfName0=Office EServType0=3 WhTime0=300 ProfileEnabled0=-1; do
    "$reg" add "$profiles" /v "${pair%%=*}" /d "${pair#*=}" /f >/dev/null
done
start_program
# From the list, four tabs reach the configuration name.
xdotool key Tab Tab Tab Tab ctrl+a
xdotool type --delay 20 'Renamed'
xdotool key Escape
wait_for_end; check "stored configuration: Esc ends the program" 0 $?
check "stored configuration: name typed" Renamed "$(value "$profiles" ConfName0)"
check "stored configuration: identifier kept" 7 "$(value "$profiles" ProfileID0)"
check "stored configuration: ConfNumber" 1 "$(value "$user" ConfNumber)"
check "stored configuration: ExternLang" "" "$(value "$user" ExternLang)"
check "stored configuration: Version" 1.0 "$(value 'HKLM\Software\Orvane\Quillbell' Version)"

# 3. A second start while the program runs ends at once and opens no window.
fresh_home
start_program
timeout 10 "$program"
check "second start ends at once, silently" 0 $?
check "still one window" 1 "$(xdotool search --onlyvisible --name 'Quillbell configuration' | wc -l)"
xdotool key Escape
wait_for_end; check "first instance still closes with Esc" 0 $?

# 4. Help in German: F1 on the list opens its topic from German.chm in the help window; Esc
# closes that window, and the program still ends with its main window.
fresh_home
cp "$bin"/../share/help/*.chm "$scratch/qb/"
"$reg" add "$user" /v ExternLang /d German /f >/dev/null
start_program 'Quillbell-Konfiguration'
xdotool key F1
viewer=$(timeout 10 xdotool search --sync --onlyvisible --name 'E-Mail-Konfigurationen: die Liste' | head -1)
check "F1 shows the list's topic in German" 1 "$([[ -n "$viewer" ]] && echo 1 || echo 0)"
[[ -n "$viewer" ]] && xdotool windowfocus --sync "$viewer" key Escape
sleep 0.5
check "Esc closes the help window" 0 "$(xdotool search --onlyvisible --name 'E-Mail-Konfigurationen: die Liste' | wc -l)"
xdotool windowfocus --sync "$window" key Escape
wait_for_end; check "the program ends with its main window" 0 $?

echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
