#!/bin/sh
# Builds the Debian package build-package/florvane_VERSION_amd64.deb (with its source package) by
# dpkg-buildpackage and debhelper, from a clean copy of the sources: dpkg-buildpackage writes its
# results beside the source folder and its work files inside it.
set -eu
cd "$(dirname "$0")/.."

tools/setup.sh package
version=$(sed -n 's/^project(Florvane VERSION \([^ )]*\).*/\1/p' CMakeLists.txt)
packaged=$(dpkg-parsechangelog -S Version)
if [ "$version" != "$packaged" ]; then
    echo "package: the project is at version $version but debian/changelog at $packaged: add an entry" >&2
    exit 1
fi

out=build-package
source=$out/florvane-$version
rm -rf "$source" "$out"/florvane_* "$out"/florvane-dbgsym_*
mkdir -p "$source"
tar -c --exclude-vcs --exclude='./build*' . | tar -x -C "$source"
(cd "$source" && dpkg-buildpackage --unsigned-source --unsigned-changes -j"$(nproc)")
echo "package: $out/florvane_${version}_amd64.deb"
