#!/usr/bin/env bash
# The Exchange folder browser as a new user meets it: the staged installation with its default
# profile "Local mail" over a sample Maildir, Xvfb, real key presses, read back with quillbell-reg.
set -uo pipefail

source "$(dirname "$0")/common.bash" "$@"

hex() {  # the bytes of a text as upper-case hexadecimal digits
    printf '%s' "$1" | od -An -tx1 | tr -d ' \n' | tr 'a-f' 'A-F'
}

fresh_home
profiles='HKCU\Software\Microsoft\Windows NT\CurrentVersion\Windows Messaging Subsystem\Profiles'
store_url=$(value "$profiles\\Local mail" StoreURL1)
user='HKCU\Software\Orvane\Quillbell\Profiles'
title='Please, select MS Exchange folder'

start_program
# A new configuration (its name field takes the focus), of type 0, the Exchange folder type.
# Four tabs reach the default profile button past the type and the account field; password,
# server and port are off for this type: two tabs reach the folder button.
keys() { xdotool key --delay 150 "$@"; sleep 0.5; }
keys Tab space
keys Tab Tab Tab Tab space
keys Tab Tab space
browser=$(timeout 20 xdotool search --sync --onlyvisible --name "$title" | head -1)
check "the browser opens on the default profile" yes "$([[ -n "$browser" ]] && echo yes || echo no)"
xdotool windowfocus --sync "$browser"
sleep 0.3
# The tree takes the typed name as a search; Return presses the select button.
xdotool type --delay 100 'Sent'
keys Return
for _ in $(seq 50); do
    xdotool search --onlyvisible --name "$title" >/dev/null || break
    sleep 0.1
done
check "the browser closed" 0 "$(xdotool search --onlyvisible --name "$title" | wc -l)"
keys Escape
wait_for_end; check "the program ends with Esc" 0 $?
check "server type, profile from the default button, folder name" "0|Local mail|Sent" \
    "$(value "$user" EServType0)|$(value "$user" UserName0)|$(value "$user" ExFolder0)"
check "folder identifier" "$(hex Sent):$(hex "$store_url")" "$(value "$user" ExFolderID0)"

echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
