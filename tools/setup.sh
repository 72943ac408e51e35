#!/bin/sh
# Installs the Debian packages a task needs (only those missing), then configures and builds.
# Usage: tools/setup.sh run|test|benchmark <build-dir> [cmake options...]
set -eu

task=$1
build_dir=$2
shift 2

# The viewer alone needs none of the test libraries; say so explicitly either way, so a build
# directory first configured by one command is switched correctly by the other.
tests=OFF
packages="cmake g++ make freeglut3-dev libglu1-mesa-dev libgl-dev libgl1-mesa-dri x11-utils"
if [ "$task" = test ] || [ "$task" = benchmark ]; then
    tests=ON
    packages="$packages libgtest-dev libbenchmark-dev libx11-dev xvfb xauth xdotool apitrace"
fi
if [ "$task" = benchmark ]; then
    # The benchmarks count instructions with callgrind.
    packages="$packages valgrind"
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
    $as_root apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $as_root apt-get install -y -qq --no-install-recommends $missing
fi

cmake -S . -B "$build_dir" -DFLORVANE_TESTS=$tests "$@"
cmake --build "$build_dir" --parallel "$(nproc)"
