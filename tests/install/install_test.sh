#!/bin/sh
# Installs the build into a temporary prefix and starts the program as its desktop entry does: from
# the root folder, with no console to answer a prompt. The manual pages are checked when help2man
# was found at configure time, and reported skipped (status 77) otherwise.
# Usage: install_test.sh <build-dir> <help2man, or HELP2MAN-NOTFOUND>
set -eu
prefix=$(mktemp -d)
pid=""
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null; rm -rf "$prefix"' EXIT
fail() { echo "install test: $*" >&2; exit 1; }

cmake --install "$1" --prefix "$prefix" >/dev/null
for file in bin/florvane-snapshot share/florvane/trava.ppm share/metainfo/org.florvane.Florvane.metainfo.xml \
            share/icons/hicolor/48x48/apps/florvane.png share/icons/hicolor/256x256/apps/florvane.png; do
    [ -s "$prefix/$file" ] || fail "$file was not installed"
done
# Without help2man at configure time the build has no manual pages: the rest is still checked.
case ${2:-} in
"" | *-NOTFOUND) programs="" ;;
*) programs="libexec/florvane/florvane bin/florvane-snapshot" ;;
esac
for program in $programs; do
    page=share/man/man1/${program##*/}.1
    [ -s "$prefix/$page" ] || fail "$page was not installed"
    # help2man makes a paragraph of every line of --version after the first.
    stray=$("$prefix/$program" --version | sed -n 2p)
    [ -z "$stray" ] || ! grep -qxF "$stray" "$prefix/$page" || fail "$page ends with a line of --version"
done
cd /
"$prefix/libexec/florvane/florvane" --help | grep -q '^Usage: florvane' || fail "--help needs the pictures"
entry=$prefix/share/applications/florvane.desktop
grep -qx 'Terminal=false' "$entry" || fail "the desktop entry asks for a terminal"
command=$(sed -n 's/^Exec=//p' "$entry")
eval "$command" </dev/null >/dev/null 2>&1 &
pid=$!
timeout 60 xdotool search --sync --onlyvisible --name '^Florvane$' >/dev/null || fail "no window from: $command"
xdotool key Escape
wait "$pid" || fail "the installed program ended with status $?"
pid=""
if [ -z "$programs" ]; then
    echo "install test: the manual pages are skipped: help2man was missing when $1 was configured" \
        "(tools/setup.sh installs it; configure again after)"
    exit 77
fi
