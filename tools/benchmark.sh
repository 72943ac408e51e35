#!/bin/sh
# Measures what the program costs on this machine and prints the figures: population time and the
# world's size, the wind step per registered vertex, frames per second, the program's own share of
# a frame's instructions, memory over a long run, the snapshot tool from start to file, and what a
# video costs. A benchmark, not a test: it asserts nothing. With the defaults it runs for about half
# an hour.
#
#   tools/benchmark.sh [build-dir]
#
# Environment: SEEDS (default: 1 to 20), POPULATION_RUNS (3 fresh processes per seed), WIND_STEPS
# (500), FPS_FRAMES (200 per seed), MEMORY_FRAMES (10000, seed 1), SHARE_SEEDS (1 2 3),
# SHARE_FRAMES (20 per seed), SNAPSHOT_TICKS (60), VIDEO_SIZE (1280x720), VIDEO_FRAMES (300).
set -eu
cd "$(dirname "$0")/.."

if [ "${1:-}" != --on-display ]; then
    build=${1:-build}
    tools/setup.sh benchmark "$build" > /dev/null
    # Every GL program runs on one virtual screen of the size the pictures are measured at.
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" --on-display "$build"
fi
build=$2
SEEDS=${SEEDS:-$(seq 1 20)}
POPULATION_RUNS=${POPULATION_RUNS:-3}
WIND_STEPS=${WIND_STEPS:-500}
FPS_FRAMES=${FPS_FRAMES:-200}
MEMORY_FRAMES=${MEMORY_FRAMES:-10000}
SHARE_SEEDS=${SHARE_SEEDS:-1 2 3}
SHARE_FRAMES=${SHARE_FRAMES:-20}
SNAPSHOT_TICKS=${SNAPSHOT_TICKS:-60}
VIDEO_SIZE=${VIDEO_SIZE:-1280x720}
VIDEO_FRAMES=${VIDEO_FRAMES:-300}

root=$(pwd)
build=$(realpath "$build")
bench=$build/tools/benchmarks/world_benchmark
data=$build/data
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# The median of the numbers on standard input, one a line.
median() {
    sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) print "none"; else if (NR % 2) printf "%.10g\n", v[(NR + 1) / 2]; else printf "%.10g\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
# The value after the given key on each line of standard input.
field() {
    awk -v key="$1" '{ for (i = 1; i < NF; ++i) if ($i == key) print $(i + 1) }'
}
load() {
    cut -d' ' -f1-3 /proc/loadavg
}

echo "== Machine"
echo "cpu: $(lscpu | sed -n 's/^Model name: *//p'), $(nproc) cores, $(free -m | awk '/^Mem:/ { print $2 }') MiB"
echo "mesa: $(dpkg-query -W -f='${Version}' libgl1-mesa-dri 2>/dev/null || echo unknown)"
echo "load average at start: $(load)"
cd "$data"

echo
echo "== Population (median of $POPULATION_RUNS fresh processes per seed)"
for seed in $SEEDS; do
    for run in $(seq "$POPULATION_RUNS"); do "$bench" population "$seed"; done > "$scratch/population"
    ms=$(field ms < "$scratch/population" | median)
    echo "seed $seed: $ms ms, $(head -1 "$scratch/population" | sed 's/.* objects/objects/')"
    echo "$ms" >> "$scratch/population-ms"
done
echo "median over the seeds: $(median < "$scratch/population-ms") ms (fastest $(sort -g "$scratch/population-ms" | head -1), slowest $(sort -g "$scratch/population-ms" | tail -1))"
for seed in $SEEDS; do
    valgrind --tool=callgrind --callgrind-out-file="$scratch/population.cg" --toggle-collect='growWorld*' "$bench" population "$seed" \
        > /dev/null 2> "$scratch/valgrind"
    sed -n 's/.*refs: *//p' "$scratch/valgrind" | tr -d ',' >> "$scratch/population-instructions"
done
echo "instructions (callgrind), median over the seeds: $(median < "$scratch/population-instructions")"

echo
echo "== Wind step ($WIND_STEPS steps with the wind on)"
for seed in $SEEDS; do "$bench" wind "$seed" "$WIND_STEPS"; done > "$scratch/wind"
sed 's/^wind //' "$scratch/wind"
echo "median ns per registered vertex: cpu $(field ns_per_vertex_cpu < "$scratch/wind" | median), wall $(field ns_per_vertex_wall < "$scratch/wind" | median)"
"$build/tools/benchmarks/wind_benchmark" --benchmark_filter=WindAnimate 2> /dev/null | grep '^WindAnimate' || true

echo
echo "== Frames per second (1024 x 768, wind on, $FPS_FRAMES frames after 30)"
for seed in $SEEDS; do "$bench" frames "$seed" 30 "$FPS_FRAMES" | tee -a "$scratch/frames-all" | grep ' fps '; done > "$scratch/frames"
grep -m1 '^gl renderer' "$scratch/frames-all"
sed 's/^frames //' "$scratch/frames"
echo "median fps: $(field fps < "$scratch/frames" | median)"

echo
echo "== The program's own share of a frame (callgrind, $SHARE_FRAMES frames after 10, rasterising on the main thread)"
for seed in $SHARE_SEEDS; do
    LP_NUM_THREADS=0 valgrind --tool=callgrind --collect-atstart=no --toggle-collect='*measuredFrames*' \
        --smc-check=all-non-file --callgrind-out-file="$scratch/frames.cg" "$bench" frames "$seed" 10 "$SHARE_FRAMES" \
        > /dev/null 2>&1
    echo "seed $seed: $(awk -v program="$bench" -f "$root/tools/frameshare.awk" "$scratch/frames.cg")"
done

echo
echo "== Memory over $MEMORY_FRAMES frames (seed 1)"
"$bench" frames 1 30 "$MEMORY_FRAMES" | grep -v '^gl renderer' | sed 's/^frames //'

echo
echo "== Snapshot tool (1024 x 768, $SNAPSHOT_TICKS ticks)"
snapshot=$(find "$build" -maxdepth 3 -type f -name florvane-snapshot -perm -u+x 2>/dev/null | head -1)
if [ -z "$snapshot" ]; then
    echo "NOT MEASURED: there is no florvane-snapshot in $build; build it there and run this again."
else
    for seed in $SEEDS; do
        rm -f "$scratch/snapshot.ppm"
        start=$(date +%s%N)
        "$snapshot" --seed "$seed" --ticks "$SNAPSHOT_TICKS" --size 1024x768 --out "$scratch/snapshot.ppm" > /dev/null ||
            echo "seed $seed: the snapshot tool failed"
        end=$(date +%s%N)
        [ -s "$scratch/snapshot.ppm" ] || echo "seed $seed: no picture written"
        seconds=$(echo "$start $end" | awk '{ printf "%.3f", ($2 - $1) / 1e9 }')
        echo "seed $seed: $seconds s"
        echo "$seconds" >> "$scratch/snapshot-seconds"
    done
    echo "median: $(median < "$scratch/snapshot-seconds") s, slowest $(sort -g "$scratch/snapshot-seconds" | tail -1) s"
fi

echo
echo "== Video ($VIDEO_SIZE, $VIDEO_FRAMES frames of seed 8 at noon)"
# Drawing alone and encoding alone, in one process; then the tool, which does both at once, and
# one picture of the same size from start to file.
"$build/tools/benchmarks/video_benchmark" 8 "$VIDEO_SIZE" "$VIDEO_FRAMES" | grep "^video"
if [ -n "$snapshot" ]; then
    for format in mp4 webm; do
        start=$(date +%s%N)
        "$snapshot" --seed 8 --keys F8 --frames "$VIDEO_FRAMES" --size "$VIDEO_SIZE" --out "$scratch/video.$format" \
            > /dev/null || echo "the snapshot tool failed to write a $format video"
        end=$(date +%s%N)
        echo "$start $end $VIDEO_FRAMES $(stat -c %s "$scratch/video.$format")" |
            awk -v format="$format" '{ s = ($2 - $1) / 1e9; printf "video tool %s frames %d wall_s %.2f fps %.2f bytes %d\n", format, $3, s, $3 / s, $4 }'
    done
    start=$(date +%s%N)
    "$snapshot" --seed 8 --keys F8 --size "$VIDEO_SIZE" --out "$scratch/picture.png" > /dev/null
    end=$(date +%s%N)
    echo "$start $end" | awk '{ printf "picture tool wall_s %.3f\n", ($2 - $1) / 1e9 }'
fi

echo
echo "load average at end: $(load)"
