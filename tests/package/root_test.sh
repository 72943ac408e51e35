#!/bin/sh
# Installs the package with its dependencies into a throwaway Debian root, starts its desktop entry's
# command there on a virtual display of its own, quits it with Esc and removes the package as users
# do: the program must end with status 0, and removing must take away exactly what installing added.
# The minimal root it copies is made once by debootstrap and kept, with the packages it downloaded,
# in the cache folder. Usage: root_test.sh <package.deb> <cache-dir> (as root, which chroot needs)
set -eu
[ "${1:-}" = --on-display ] || exec xvfb-run -a -s "-screen 0 1024x768x24" sh "$0" --on-display "$@"
export LC_ALL=C
deb=$(realpath "$2") cache=$(realpath -m "$3")
work="" pid=""
cleanup() {
    [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
    [ -z "$work" ] || rm -rf --one-file-system "$work"
}
trap cleanup EXIT
fail() { echo "package root test: $*" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || fail "needs root to enter the root with chroot"

mkdir -p "$cache/debs"
if [ ! -d "$cache/base" ]; then
    rm -rf --one-file-system "$cache/base.partial"
    debootstrap --variant=minbase "$(. /etc/os-release && echo "$VERSION_CODENAME")" "$cache/base.partial" >"$cache/debootstrap.log" ||
        fail "debootstrap failed, see $cache/debootstrap.log"
    chroot "$cache/base.partial" apt-get clean
    mv "$cache/base.partial" "$cache/base"
fi
work=$(mktemp -d "$cache/run.XXXXXX") root=$work/root
mkdir "$root"
cp -a "$cache/base/." "$root"
find "$cache/debs" -name '*.deb' -exec cp -l {} "$root/var/cache/apt/archives/" \;
cp "$deb" "$root/tmp/florvane.deb"

in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root "$@"; }
apt_get() {
    in_root DEBIAN_FRONTEND=noninteractive apt-get -q -y -o APT::Install-Recommends=false "$@" >"$work/apt.log" 2>&1 ||
        { tail -n 20 "$work/apt.log" >&2; fail "apt-get $1 failed in the root"; }
}
# Every path of the root but the bookkeeping of apt and dpkg, logs, caches and home and scratch folders.
listing() {
    (cd "$root" && find . -xdev \( -path ./tmp -o -path ./root -o -path ./run -o -path ./dev -o -path ./proc \
        -o -path ./var/cache -o -path ./var/log -o -path ./var/lib/apt -o -path ./var/lib/dpkg \) -prune \
        -o -print) | sed 's|^\.||' | sort
}

apt_get update
apt_get satisfy "$(dpkg-deb -f "$deb" Depends)"
find "$root/var/cache/apt/archives" -name '*.deb' -exec cp -l -f {} "$cache/debs/" \;
listing >"$work/before"
apt_get install /tmp/florvane.deb
listing >"$work/installed"
in_root dpkg -L florvane | grep -vx '/\.' | sort | comm -23 - "$work/before" >"$work/listed"
comm -13 "$work/before" "$work/installed" | cmp -s - "$work/listed" ||
    fail "installing added other paths than the package lists: $(comm -13 "$work/before" "$work/installed" | diff - "$work/listed")"

[ -z "${XAUTHORITY:-}" ] || cp "$XAUTHORITY" "$root/tmp/Xauthority"
command=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/florvane.desktop")
# The display's abstract socket is reachable from inside the root, so nothing has to be mounted.
chroot "$root" env -i PATH=/usr/bin:/bin HOME=/root DISPLAY="$DISPLAY" XAUTHORITY=/tmp/Xauthority \
    sh -c "cd / && exec $command" </dev/null >"$work/out" 2>&1 &
pid=$!
timeout 120 xdotool search --sync --onlyvisible --name '^Florvane$' >/dev/null ||
    fail "no window from: $command ($(tail -n 3 "$work/out"))"
xdotool key Escape
status=0 && wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "the installed program ended with status $status ($(tail -n 3 "$work/out"))"

apt_get remove florvane
listing | diff "$work/before" - >&2 || fail "removing the package did not restore the root (above: < gone, > left)"
