#!/bin/sh
# The real program, built with the sanitizers, driven through every command on a virtual display of
# its own; passes when it ends with status 0 and no report, leaks included.
# Usage: sanitized-run.sh <florvane> <pictures>
set -eu
[ "${1:-}" = --on-display ] || exec xvfb-run -a -s "-screen 0 1024x768x24" sh "$0" --on-display "$@"
program=$(realpath "$2") log=$(mktemp -d)
cd "$3"
printf '3\n' | "$program" >"$log/out" 2>"$log/err" & pid=$!

alive() { kill -0 $pid 2>/dev/null || { cat "$log/err"; echo "the program ended early" >&2; exit 1; }; }
frames() {  # waits until the screen has changed n times, so for at least n frames
    shot=$(xwd -root -silent | md5sum) changes=0
    while [ $changes -lt "$1" ]; do
        alive && next=$(xwd -root -silent | md5sum)
        [ "$next" = "$shot" ] && sleep 0.1 || changes=$((changes + 1)) shot=$next
    done
}
shown() { until [ "$(xdotool search --onlyvisible --name "$1" | wc -l)" -eq "$2" ]; do alive && sleep 0.1; done; }
press() { for key; do xdotool key "$key" && frames 4; done; }
# The menu opens at (100, 100), where the pointer is never warped; a release on an entry leaves it open
# under Xvfb, so a left click chooses, which elsewhere falls on the scene after the release chose.
choose() {  # the row of a submenu, then the row of its entry
    xdotool mousemove 100 100 mousedown 3 && shown '^freeglut menu$' 1
    xdotool mousemove 130 "$1" && shown '^freeglut menu$' 2
    xdotool mousemove 200 "$2" mouseup 3 click 1 && shown '^freeglut menu$' 0 && frames 6
}

shown '^Florvane$' 1 && frames 20
press F1 1 2 w W a A s S d D Up Left Right Down 3 m 3 M 3 p P m r R F7 F8 0
xdotool mousemove 150 120 mousemove 300 300 && frames 2
press v plus plus plus plus plus plus minus minus minus minus minus minus minus minus minus minus minus V
for row in 113 139 165; do choose 113 $row; done          # midnight, noon, spotlight
for row in 139 165 191 217; do choose 139 $row; done      # the four cameras
for row in 165 191 217 243 269; do choose 165 $row; done  # butterflies, rain, wind, stronger, weaker
xdotool key Escape
status=0 && wait $pid || status=$?
cat "$log/err"
! grep -q -e Sanitizer -e 'runtime error' "$log/err" && [ $status -eq 0 ]
