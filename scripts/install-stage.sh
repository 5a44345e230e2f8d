#!/usr/bin/env bash
# Plays the installation's part: writes the machine-wide values and a home directory
# holding the language files and the compiled help files.
# Usage: install-stage.sh QUILLBELL_REG HOME_DIR [HELP_DIR]
# The stores are found through XDG_CONFIG_HOME and XDG_CONFIG_DIRS, as the program finds them.
set -euo pipefail
reg="$1"
home="$2"
help="${3:-}"
root="$(cd "$(dirname "$0")/.." && pwd)"

mkdir -p "$home"
if compgen -G "$root/share/lang/*.lng" >/dev/null; then
    cp "$root"/share/lang/*.lng "$home/"
fi
if [ -n "$help" ] && compgen -G "$help/*.chm" >/dev/null; then
    cp "$help"/*.chm "$home/"
fi

key='HKLM\Software\Orvane\Quillbell'
"$reg" add "$key" /v HomeDir /d "$home/" /f >/dev/null
"$reg" add "$key" /v WorkMode0 /d "Exchange profile and folder" /f >/dev/null
"$reg" add "$key" /v WorkMode1 /d "Exchange profile" /f >/dev/null
"$reg" add "$key" /v WorkMode2 /d "Exchange profile and password" /f >/dev/null
"$reg" add "$key" /v WorkMode3 /d "Internet mail account (POP3)" /f >/dev/null

# A MAPI profile store as Windows keeps one, so that the profile buttons have something to
# show to a new user. Written once: the user's own profiles and default are left alone.
# "Caf[y~" is how Windows stores the name "Café" (characters of codes 192 to 255 as groups).
profiles='HKCU\Software\Microsoft\Windows NT\CurrentVersion\Windows Messaging Subsystem\Profiles'
if ! "$reg" query "$profiles" >/dev/null 2>&1; then
    for profile in 'Local mail' 'Office' 'Caf[y~'; do
        "$reg" add "$profiles\\$profile" /f >/dev/null
    done
    "$reg" add "$profiles" /v DefaultProfile /d 'Local mail' /f >/dev/null
fi

# Where the mail session stands in for MAPI (Linux), "Local mail" reads a sample Maildir++
# tree beside the home directory, so that a new user can browse folders at once. Only a
# "Local mail" without stores gets it: a profile the user filled is left alone.
profile_tool="$(dirname "$reg")/quillbell-profile"
if [ -x "$profile_tool" ] && ! "$reg" query "$profiles\\Local mail" /v StoreURL1 >/dev/null 2>&1; then
    maildir="$(cd "$(dirname "$home")" && pwd)/Maildir"
    # Maildir++: the tree is the Inbox, ".A.B" is folder B inside A, names in modified
    # UTF-7 ("&AOk-" is é), each folder marked by an empty "maildirfolder" file.
    for folder in '' .Sent .Drafts .Trash .Projects '.Projects.Caf&AOk- opening' \
        '.Projects.Caf&AOk- opening.Suppliers' .Archive .Archive.2025 '.Archive.2025.R&AOk-sum&AOk-s'; do
        mkdir -p "$maildir/$folder/cur" "$maildir/$folder/new" "$maildir/$folder/tmp"
        [ -z "$folder" ] || touch "$maildir/$folder/maildirfolder"
    done
    "$profile_tool" add 'Local mail' "maildir://$maildir" </dev/null
    "$profile_tool" default 'Local mail'
fi
