#!/bin/sh
# Builds the viewer with its pictures and starts it on the current X display. Without a usable
# display it renders a snapshot of a fresh world at noon instead and prints where the picture is.
set -eu
cd "$(dirname "$0")/.."

# What keeps the X display from being used, or nothing when it can be used.
display_problem() {
    if [ -z "${DISPLAY:-}" ]; then
        echo "there is no X display (DISPLAY is not set)"
        return
    fi
    answer=$(xdpyinfo 2>&1 >/dev/null) && return
    # Xlib prints the server's reason for a refusal before xdpyinfo's own line; with no server
    # there is only that line.
    reason=$(printf '%s\n' "$answer" | grep -v 'unable to open display' | tr '\n' ' ' | sed 's/ *$//')
    if [ -n "$reason" ]; then
        echo "the X display $DISPLAY refused the connection ($reason)"
    else
        echo "there is no X display at $DISPLAY (no X server answers there)"
    fi
}

tools/setup.sh run
problem=$(display_problem)
if [ -n "$problem" ]; then
    echo "florvane: $problem; building, then drawing a picture of a fresh world at noon instead" >&2
fi

tools/setup.sh run build-run
if [ -z "$problem" ]; then
    cd build-run/data
    exec ../florvane "$@"
fi
# The snapshot's last line names the seed and the picture.
summary=$(build-run/florvane-snapshot --keys F8 --out "$PWD/build-run/florvane-noon.png")
printf '%s\n' "$summary" | tail -n 1
