#!/bin/sh
# Cross-builds Florvane for 64-bit Windows on Debian 12 and packs it: installs what is missing,
# builds freeglut from Debian's own source package (once; it stays in build-windows/deps), builds
# the picture generator and the icon maker natively (they run during the build), then the program,
# and leaves build-windows/florvane-VERSION-win64.zip and build-windows/florvane-VERSION-setup.exe.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
build=$root/build-windows
deps=$build/deps
prefix=$deps/prefix
jobs=$(nproc)

tools/setup.sh windows

# Every deb entry of this system's own Debian release, as deb-src: the same archive, for sources.
source_entries() {
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    for list in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$list" ] && sed -n "s/^deb \(.* $codename[-a-z]* .*\)/deb-src \1/p" "$list"
    done > "$1/sources.list"
    for list in /etc/apt/sources.list.d/*.sources; do
        [ -f "$list" ] || continue
        awk -v codename="$codename" -v RS= -v ORS='\n\n' '
            /(^|\n)Types:[^\n]*deb/ && match($0, /(^|\n)Suites:[^\n]*/) &&
            substr($0, RSTART, RLENGTH) ~ "[: ]" codename "(-[a-z]+)?( |$)" {
                sub(/(^|\n)Types:[^\n]*/, "\nTypes: deb-src"); print }' "$list"
    done > "$1/parts/florvane.sources"
}

# A source package, fetched through an apt configuration of its own: the deb-src entries never reach
# the system's lists, and are gone once the sources are unpacked.
fetch_source() {
    package=$1
    apt_dir=$deps/apt
    rm -rf "$apt_dir" "$deps/src"
    mkdir -p "$apt_dir/parts" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$deps/src"
    source_entries "$apt_dir"
    set -- -o DPkg::Lock::Timeout=900 -o APT::Sandbox::User=root -o Dir::Etc::SourceList="$apt_dir/sources.list" \
        -o Dir::Etc::SourceParts="$apt_dir/parts" -o Dir::State::Lists="$apt_dir/lists" -o Dir::Cache="$apt_dir/cache"
    apt-get "$@" update -qq
    # The newest version whose files the archive serves: a security update's index may name sources
    # that its mirror does not carry.
    version=""
    for version in $(apt-cache "$@" showsrc "$package" | sed -n 's/^Version: //p' | sort -r -V); do
        (cd "$deps/src" && apt-get "$@" source -qq "$package=$version" 2>/dev/null) && break
        echo "The sources of $package $version could not be fetched; trying an older version"
        version=""
    done
    [ -n "$version" ] || { echo "No sources of $package could be fetched" >&2; exit 1; }
    rm -rf "$apt_dir"
}

# Configures, builds and installs one dependency into the prefix, static only.
build_dependency() {
    name=$1
    shift
    log=$deps/build-$name.log
    # Its warnings are not this project's: they go to the log, which is shown when the build fails.
    { cmake -S "$(find "$deps/src" -mindepth 1 -maxdepth 1 -type d -name "$name-*")" -B "$deps/build-$name" \
          -DCMAKE_TOOLCHAIN_FILE="$root/windows/toolchain.cmake" -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_INSTALL_PREFIX="$prefix" -DFLORVANE_WINDOWS_PREFIX="$prefix" "$@" &&
      cmake --build "$deps/build-$name" --parallel "$jobs" && cmake --install "$deps/build-$name"; } > "$log" 2>&1 ||
        { tail -n 30 "$log" >&2; exit 1; }
}

if [ ! -f "$deps/built" ]; then
    echo "Building freeglut for Windows from Debian's source package"
    fetch_source freeglut
    rm -rf "$prefix"
    build_dependency freeglut -DFREEGLUT_BUILD_SHARED_LIBS=OFF -DFREEGLUT_BUILD_STATIC_LIBS=ON \
        -DFREEGLUT_BUILD_DEMOS=OFF
    touch "$deps/built"
fi

# The generators run on this machine, so they come from a native build.
cmake -S . -B "$build/host" -DFLORVANE_TESTS=OFF -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build "$build/host" --parallel "$jobs" --target makepictures makeicon

cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/windows/toolchain.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DFLORVANE_WINDOWS_PREFIX="$prefix" -DFLORVANE_HOST_BUILD="$build/host" -DFLORVANE_TESTS=OFF > /dev/null
cmake --build "$build" --parallel "$jobs"
ls "$build"/florvane-*-win64.zip "$build"/florvane-*-setup.exe
