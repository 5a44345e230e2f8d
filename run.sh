#!/usr/bin/env bash
# Installs what is missing, builds, prepares the embedded default stores under
# build/stage (the installation's machine-wide values, a home directory with the
# language and help files, and a per-user store with sample MAPI profiles) and starts the
# configuration window.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build -j "$(nproc)" --target quillbell-reg quillbell-profile quillbell-help \
    $(test -f src/app/main.cpp && echo quillbell-config)

stage="$PWD/build/stage"
export XDG_CONFIG_HOME="$stage/user-config"
export XDG_CONFIG_DIRS="$stage/machine-config"
scripts/install-stage.sh "$PWD/build/bin/quillbell-reg" "$stage/home" "$PWD/build/share/help"

if [ ! -x build/bin/quillbell-config ]; then
    echo "The configuration window is not built yet; the stored settings are:"
    build/bin/quillbell-reg query 'HKLM\Software\Orvane\Quillbell'
    exit 0
fi

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    port="${QUILLBELL_VNC_PORT:-5900}"
    echo "There is no display here. The window is served by Qt's VNC platform instead:"
    echo "  connect a VNC viewer to 127.0.0.1:$port (for example: vncviewer 127.0.0.1:$port)."
    echo "  From another machine, tunnel it first: ssh -L $port:127.0.0.1:$port <this host>."
    export QT_QPA_PLATFORM="vnc:addr=127.0.0.1:port=$port:size=1280x900"
fi
exec build/bin/quillbell-config
