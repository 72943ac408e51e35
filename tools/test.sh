#!/bin/sh
# Builds everything and runs every test: unit, GL and end-to-end tests on a virtual X display, the
# cross-built Windows program under Wine, then, under the address and undefined-behaviour sanitizers,
# the unit tests again, the picture fuzzer and the real program driven through every command.
set -eu
cd "$(dirname "$0")/.."

tools/setup.sh test build
cmake -S . -B build-sanitize -DFLORVANE_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
cmake --build build-sanitize --parallel "$(nproc)"

# Each part runs even when one before it failed, so one run shows every failure; any fails it. A
# Windows build that cannot be made fails its tests too: they never skip.
status=0
tools/windows.sh || status=1
xvfb-run -a -s "-screen 0 1024x768x24" ctest --test-dir build --output-on-failure --parallel "$(nproc)" || status=1

# The unit tests grow plants and worlds and drop them, which the program never does (it keeps its
# world until it ends), so only the sanitized program's own test looks for leaks; huge picture
# headers must come back as a refused allocation, not a sanitizer abort.
ASAN_OPTIONS=detect_leaks=0:allocator_may_return_null=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-sanitize --output-on-failure --parallel "$(nproc)" || status=1
exit $status
