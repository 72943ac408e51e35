#!/bin/sh
# Installs the build into a temporary prefix and starts the program as its desktop entry does: from
# the root folder, with no console to answer a prompt. Usage: install_test.sh <build-dir>
set -eu
prefix=$(mktemp -d)
pid=""
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null; rm -rf "$prefix"' EXIT
fail() { echo "install test: $*" >&2; exit 1; }

cmake --install "$1" --prefix "$prefix" >/dev/null
for file in bin/florvane-snapshot share/florvane/trava.ppm share/man/man1/florvane.1 \
            share/metainfo/org.florvane.Florvane.metainfo.xml share/icons/hicolor/48x48/apps/florvane.png \
            share/icons/hicolor/256x256/apps/florvane.png; do
    [ -s "$prefix/$file" ] || fail "$file was not installed"
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
