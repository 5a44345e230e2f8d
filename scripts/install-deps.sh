#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need, when missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-multimedia-dev qt6-qpa-plugins libgl-dev
    libsqlite3-dev googletest libgtest-dev libsndfile1-dev libpulse-dev
    libvmime-dev dovecot-imapd
    g++-mingw-w64-x86-64-posix wine64
    xvfb xauth xdotool x11-utils openbox fonts-dejavu-core
    fp-utils libchm-dev
    pulseaudio locales
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    # The tests start Dovecot themselves on a free loopback port; the package must not
    # start the system's own server (on port 143) while it installs.
    policy=/usr/sbin/policy-rc.d
    own_policy=0
    if [ ! -e "$policy" ]; then
        printf '#!/bin/sh\nexit 101\n' | "${sudo_cmd[@]}" tee "$policy" >/dev/null
        "${sudo_cmd[@]}" chmod 755 "$policy"
        own_policy=1
    fi
    status=0
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" || status=$?
    [ "$own_policy" -eq 0 ] || "${sudo_cmd[@]}" rm -f "$policy"
    exit "$status"
fi

# The Windows store suite runs once more under a Japanese locale, where Wine's ANSI code
# page is the double-byte 932.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
