#!/bin/sh
# Builds the viewer with its pictures and starts it on the current X display.
set -eu
cd "$(dirname "$0")/.."

tools/setup.sh run build

if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    echo "florvane: no X display available (DISPLAY is '${DISPLAY:-}'); start it from a graphical session" >&2
    exit 1
fi
cd build/data
exec ../florvane "$@"
