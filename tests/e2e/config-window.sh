#!/usr/bin/env bash
# The configuration program as a person starts it: Xvfb with openbox, real key presses
# (xdotool), the real store read back with quillbell-reg. Needs xvfb-run, xdotool, openbox, xprop.
set -uo pipefail

source "$(dirname "$0")/common.bash" "$@"

openbox --sm-disable >/dev/null 2>&1 &
wm=$!
trap 'kill "$wm" 2>/dev/null; rm -rf "$scratch"' EXIT
for _ in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done

machine='HKLM\Software\Orvane\Quillbell'
user='HKCU\Software\Orvane\Quillbell'

# 1. A second start ends at once without a window; Esc on the first stores the first-start values.
fresh_home
start_program
timeout 10 "$program"
check "second start ends at once, silently" 0 $?
check "still one window" 1 "$(xdotool search --onlyvisible --name 'Quillbell configuration' | wc -l)"
xdotool key Escape
wait_for_end; check "first start: Esc ends the program" 0 $?
check "first start: RunAtStartup, Configured, Version, no ConfNumber" "1 -1 1.0 <missing>" \
    "$(value "$user" RunAtStartup) $(value "$user" Configured) $(value "$machine" Version) $(value "$user" ConfNumber)"

# 2. F1 on the list opens its topic from German.chm; Esc closes it, then the main window.
fresh_home
cp "$bin"/../share/help/*.chm "$scratch/qb/"
"$reg" add "$user" /v ExternLang /d German /f >/dev/null
start_program 'Quillbell-Konfiguration'
xdotool key F1
topic='E-Mail-Konfigurationen: die Liste'
viewer=$(timeout 10 xdotool search --sync --onlyvisible --name "$topic" | head -1)
check "F1 shows the list's topic in German" 1 "$([[ -n "$viewer" ]] && echo 1 || echo 0)"
[[ -n "$viewer" ]] && xdotool windowfocus --sync "$viewer" key Escape
sleep 0.5
check "Esc closes the help window" 0 "$(xdotool search --onlyvisible --name "$topic" | wc -l)"
xdotool windowfocus --sync "$window" key Escape
wait_for_end; check "the program ends with its main window" 0 $?

# 3. Odd stored values survive opening and closing byte for byte: a text beyond 32767
#    characters, an unlisted server type, check box states 2, -1 and 5, text in number
#    fields, both sound options on, bytes 0x80 to 0x9F and NULs, an enciphered password.
fresh_home
hex() { od -An -v -tx1 | tr -s ' \n' ',' | sed 's/^,//; s/,$//'; }
{
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Orvane\\Quillbell]\r\n'
    printf '"ConfNumber"="1"\r\n"ExternLang"=""\r\n"RunAtStartup"="5"\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Orvane\\Quillbell\\Profiles]\r\n'
    printf '"ProfileID0"="abc"\r\n"ConfName0"=hex(1):%s\r\n' \
        "$(printf 'Odd \x80\x81\x8d\x8f\x90\x9d\x9f\0' | hex)"
    printf '"EServType0"="7"\r\n"UserName0"=hex(1):%s\r\n' "$(printf 'a\0b\0' | hex)"
    printf '"UserPassword0"=hex(1):9c,03,e1,7f,00\r\n"INetServer0"="pop.example.org"\r\n'
    printf '"INetPort0"=" 995 "\r\n"ExFolder0"="Inbox"\r\n"ExFolderID0"=""\r\n'
    printf '"EClient0"="C:\\\\%s.exe"\r\n' "$(head -c 40000 /dev/zero | tr '\0' p)"
    printf '"WhTime0"="abc"\r\n"Alarm0"="2"\r\n"SoundOptionA0"="-1"\r\n"SoundOptionB0"="-1"\r\n'
    printf '"WavName0"="ding.wav"\r\n"PopupWin0"="0"\r\n"RunEClient0"="-1"\r\n'
    printf '"WaitEClient0"="5"\r\n"ProfileEnabled0"="yes"\r\n'
} >"$scratch/odd.reg"
"$reg" import "$scratch/odd.reg" >/dev/null
"$reg" export 'HKCU\Software\Orvane' "$scratch/before.reg" /y >/dev/null
start_program
xdotool key Escape
wait_for_end; check "odd values: Esc ends the program" 0 $?
"$reg" export 'HKCU\Software\Orvane' "$scratch/after.reg" /y >/dev/null
check "odd values: export unchanged" same \
    "$(cmp -s "$scratch/before.reg" "$scratch/after.reg" && echo same || echo changed)"

# 4. Placed by the frame 150 and 450 twips from the right and bottom: 10 and 30 px at 96 dpi.
gaps() {  # "ok" when they fit SCALE; otherwise the right and bottom gaps, or "no frame"
    local x y width height frame screen
    # Without its extents (set a moment after mapping) xprop says "not found".
    read -r -a frame < <(xprop -id "$window" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ,)
    [[ ${#frame[@]} -eq 4 ]] || { echo "no frame"; return; }
    # xwininfo gives the client's position on the screen (xdotool's counts the frame twice).
    read -r x y width height < <(xwininfo -id "$window" | awk -F: '
        /Absolute upper-left X/ { x = $2 } /Absolute upper-left Y/ { y = $2 }
        /^  Width/ { w = $2 } /^  Height/ { h = $2 } END { print x, y, w, h }')
    read -r -a screen < <(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1], d[2] }')
    awk -v s="$1" -v r=$((screen[0] - x - width - frame[1])) -v b=$((screen[1] - y - height - frame[3])) \
        'BEGIN { print (r - 10 * s)^2 <= 2.25 && (b - 30 * s)^2 <= 2.25 ? "ok" : r " " b }'
}
for scale in 1 1.5; do
    fresh_home
    QT_SCALE_FACTOR=$scale start_program
    for _ in $(seq 50); do  # the frame and the placement settle after mapping
        result=$(gaps "$scale")
        [[ $result == ok ]] && break
        sleep 0.1
    done
    check "placement at ${scale}x: right and bottom gaps" ok "$result"
    [[ -n "${QB_E2E_SCREENSHOTS:-}" ]] &&
        convert "x:root" "$QB_E2E_SCREENSHOTS/window-${scale}x.png" 2>/dev/null
    xdotool key Escape
    wait_for_end
done

echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
