#!/bin/sh
# Installs the Debian packages a task needs (only those missing), then configures and builds.
# Usage: tools/setup.sh run|test|benchmark|package|windows [<build-dir> [cmake options...]]
# Without a build directory it only installs the packages.
set -eu

task=$1
shift
build_dir=${1:-}
[ $# -eq 0 ] || shift

# The viewer alone needs none of the test libraries; each command has its own build directory.
tests=OFF
packages="cmake g++ make freeglut3-dev libglu1-mesa-dev libgl-dev libgl1-mesa-dri x11-utils
          libegl-dev libegl-mesa0 libpng-dev help2man pkg-config libavcodec-dev libavformat-dev libswscale-dev"
if [ "$task" = test ] || [ "$task" = benchmark ]; then
    tests=ON
    packages="$packages libgtest-dev libbenchmark-dev libx11-dev xvfb xauth xdotool apitrace x11-apps clang libclang-rt-14-dev"
fi
if [ "$task" = benchmark ]; then
    # The benchmarks count instructions with callgrind.
    packages="$packages valgrind"
fi
if [ "$task" = package ]; then
    # Debian's packaging tools and checkers, and debootstrap for the root the package is tried in.
    packages="$packages build-essential dpkg-dev debhelper lintian appstream desktop-file-utils debootstrap"
fi
if [ "$task" = windows ]; then
    # The cross-compiler, the unpacker of Debian's source packages, the installer maker, and Wine
    # to run the result in the tests, with the X libraries its display driver loads (only
    # recommended by Wine's packages, so not installed with them).
    packages="$packages g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools
              dpkg-dev nsis wine wine64 libxcursor1 libxi6 libxrandr2 libxinerama1 libxcomposite1
              libxxf86vm1 libxrender1 libxfixes3"
fi

missing=""
for package in $packages; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    as_root=""
    [ "$(id -u)" -eq 0 ] || as_root=sudo
    $as_root apt-get -o DPkg::Lock::Timeout=900 update -qq
    DEBIAN_FRONTEND=noninteractive $as_root apt-get -o DPkg::Lock::Timeout=900 install -y -qq --no-install-recommends $missing
fi

[ -n "$build_dir" ] || exit 0
cmake -S . -B "$build_dir" -DFLORVANE_TESTS=$tests "$@"
cmake --build "$build_dir" --parallel "$(nproc)"
