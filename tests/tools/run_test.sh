#!/bin/sh
# tools/run.sh without a display, on the programs of a build (installing and building stubbed out):
# the seed reaches the snapshot, so one seed draws one picture and another seed another; help and
# version print; what needs the viewer is refused in one line. Usage: run_test.sh <source> <build>
set -eu
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "run test: $*" >&2; exit 1; }

mkdir "$work/tools" "$work/build-run"
cp "$1/tools/run.sh" "$work/tools/"
printf '#!/bin/sh\n' >"$work/tools/setup.sh"
chmod +x "$work/tools/setup.sh"
ln -s "$2/florvane" "$2/florvane-snapshot" "$work/build-run/"
run() { env -u DISPLAY sh "$work/tools/run.sh" "$@" >"$work/out" 2>"$work/err"; }

draw() {  # the name to keep the picture under, the seed it must show, then the arguments
    name=$1 seed=$2
    shift 2
    run "$@" || fail "$*: $(cat "$work/err")"
    grep -q "seed $seed, " "$work/out" || fail "$* drew another seed: $(cat "$work/out")"
    mv "$work/build-run/florvane-noon.png" "$work/$name.png"
}
draw first 42 --seed 42
draw again 42 --seed=42
draw other 43 --seed 43
draw wide 43 --aspect window --seed 43
cmp -s "$work/first.png" "$work/again.png" || fail "seed 42 drew two different pictures"
! cmp -s "$work/first.png" "$work/other.png" || fail "seeds 42 and 43 drew the same picture"

{ run --help && grep -q '^Usage: florvane ' "$work/out"; } || fail "--help printed no help"
{ run --seed 1 --version && grep -q '^florvane [0-9]' "$work/out"; } || fail "--version printed no version"

for arguments in "--mode 3" "--seed 42 -geometry 640x480" "--ticks 5" "--seed" "--pace 60"; do
    status=0
    run $arguments || status=$?
    [ $status -eq 2 ] && [ "$(wc -l <"$work/err")" -eq 1 ] && [ ! -e "$work/build-run/florvane-noon.png" ] ||
        fail "$arguments: status $status, $(cat "$work/err")"
done
