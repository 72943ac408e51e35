#!/bin/sh
# Debian's own checkers on the package: lintian on the upload, source and binary (errors and warnings
# fail unless an override gives the reason), desktop-file-validate on the installed desktop entry and
# appstreamcli on the installed metadata (anything above a pedantic hint fails), whose newest release
# must be the package's version. Usage: checks.sh <package.deb>
set -eu
deb=$1
files=$(mktemp -d)
trap 'rm -rf "$files"' EXIT
fail() { echo "package checks: $*" >&2; exit 1; }

lintian --fail-on error,warning --info "${deb%.deb}.changes" || fail "lintian has errors or warnings (above)"

dpkg-deb -x "$deb" "$files"
report=$(desktop-file-validate "$files/usr/share/applications/florvane.desktop" 2>&1) && [ -z "$report" ] ||
    fail "desktop-file-validate: $report"
metainfo=$(echo "$files"/usr/share/metainfo/*.metainfo.xml)
report=$(appstreamcli validate --no-net --no-color "$metainfo" 2>&1) && ! printf '%s\n' "$report" | grep -q '^[EWI]:' ||
    fail "appstreamcli: $report"
released=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -n 1)
version=$(dpkg-deb -f "$deb" Version)
[ "$released" = "${version%-*}" ] || fail "the metadata's newest release is $released, the package's version $version"
