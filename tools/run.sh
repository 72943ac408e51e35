#!/bin/sh
# Builds the viewer with its pictures and starts it on the current X display with the arguments
# given. Without a usable display it draws a picture of the world at noon instead, passing on the
# seed, and prints where the picture is; what only the viewer understands is refused then.
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

# Help and version need no display; the build's own output stays off the text asked for.
for argument; do
    case $argument in
    --help | --version)
        tools/setup.sh run build-run >&2
        exec build-run/florvane "$@"
        ;;
    esac
done

problem=$(display_problem)
if [ -z "$problem" ]; then
    tools/setup.sh run build-run
    cd build-run/data
    exec ../florvane "$@"
fi

# Without a display the snapshot draws the world; of the viewer's options it understands the seed
# and the aspect. The rest is refused before anything is built.
fail() {
    echo "florvane: $1" >&2
    exit 2
}
refuse() { fail "$1, but $problem; without a display only --seed, --aspect, --help and --version apply"; }
seed="" aspect=""
while [ $# -gt 0 ]; do
    option=""
    case $1 in
    --seed=* | --aspect=*) option=$1 ;;
    --seed | --aspect)
        [ $# -ge 2 ] || fail "option '$1' needs a value"
        option="$1=$2"
        shift
        ;;
    --mode | --mode=*) refuse "--mode picks how the world is shown on a display" ;;
    --pace | --pace=*) refuse "--pace sets how fast the world moves on a display" ;;
    --*) fail "unknown option '$1'" ;;
    *) refuse "'$1' goes to GLUT, which needs a display" ;;
    esac
    case $option in
    --seed=*) seed=$option ;;
    --aspect=*) aspect=$option ;;
    esac
    shift
done
echo "florvane: $problem; building, then drawing a picture of the world at noon instead" >&2

tools/setup.sh run build-run
# The snapshot's last line names the seed and the picture.
summary=$(build-run/florvane-snapshot ${seed:+"$seed"} ${aspect:+"$aspect"} --keys F8 \
    --out "$PWD/build-run/florvane-noon.png")
printf '%s\n' "$summary" | tail -n 1
