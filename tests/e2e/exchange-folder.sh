#!/usr/bin/env bash
# End-to-end check of the Exchange folder browser as a new user meets it: the staged
# installation (scripts/install-stage.sh) with its default profile "Local mail" over a sample
# Maildir, a real X server (Xvfb), real key presses (xdotool), read back with quillbell-reg.
#   tests/e2e/exchange-folder.sh [BIN_DIR]     (default: build/bin)
# Prints "N passed, N failed" and exits non-zero on failure.
set -uo pipefail

source "$(dirname "$0")/common.bash" "$@"

hex() {  # the bytes of a text as upper-case hexadecimal digits
    printf '%s' "$1" | od -An -tx1 | tr -d ' \n' | tr 'a-f' 'A-F'
}

# A new user of the staged installation.
export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/user-config XDG_CONFIG_DIRS=$scratch/machine-config
export XDG_RUNTIME_DIR=$scratch/runtime QT_QPA_PLATFORM=xcb
mkdir -p "$HOME" && mkdir -p -m 0700 "$XDG_RUNTIME_DIR"
"$repo/scripts/install-stage.sh" "$reg" "$scratch/stage/home"
profiles='HKCU\Software\Microsoft\Windows NT\CurrentVersion\Windows Messaging Subsystem\Profiles'
store_url=$(value "$profiles\\Local mail" StoreURL1)
user='HKCU\Software\Orvane\Quillbell\Profiles'

"$program" &
pid=$!
window=$(xdotool search --sync --onlyvisible --name 'Quillbell configuration' | head -1)
xdotool windowfocus --sync "$window"
sleep 0.5
# A new configuration (its name field takes the focus), of type 0, the Exchange folder type.
# Four tabs reach the default profile button past the type and the account field.
keys() { xdotool key --delay 150 "$@"; sleep 0.5; }
keys Tab space
keys Tab Tab Tab Tab space
# Password, server and port are off for this type: two tabs reach the folder button.
keys Tab Tab space
browser=$(timeout 20 xdotool search --sync --onlyvisible --name 'Please, select MS Exchange folder' | head -1)
check "the browser opens on the default profile" yes "$([[ -n "$browser" ]] && echo yes || echo no)"
xdotool windowfocus --sync "$browser"
sleep 0.3
# The tree takes the typed name as a search; Return presses the select button.
xdotool type --delay 100 'Sent'
keys Return
for _ in $(seq 50); do
    xdotool search --onlyvisible --name 'Please, select MS Exchange folder' >/dev/null || break
    sleep 0.1
done
check "the browser closed" 0 "$(xdotool search --onlyvisible --name 'Please, select MS Exchange folder' | wc -l)"
keys Escape
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && { kill "$pid"; check "the program ends with Esc" ended running; }
check "server type" 0 "$(value "$user" EServType0)"
check "profile from the default button" "Local mail" "$(value "$user" UserName0)"
check "folder name" Sent "$(value "$user" ExFolder0)"
check "folder identifier" "$(hex Sent):$(hex "$store_url")" "$(value "$user" ExFolderID0)"

echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
