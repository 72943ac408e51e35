// How long one wind step takes per registered vertex, against the formula evaluated plainly.
#include "tests/support/WindReference.h"

#include <benchmark/benchmark.h>

// Seconds per vertex per step, shown with its SI prefix (9.5n is 9.5 ns).
static void perVertex(benchmark::State& state) {
    using benchmark::Counter;
    state.counters["per_vertex"] = Counter(state.range(0), Counter::kIsIterationInvariantRate | Counter::kInvert);
}

// Plant vertices on levels 1 to 9, as the vegetation's: level 0 never moves.
static void WindAnimate(benchmark::State& state) {
    TwinnedWind world(static_cast<int>(state.range(0)), 1);
    world.wind.switchOn();
    for (auto _ : state) world.wind.animate();
    perVertex(state);
}
BENCHMARK(WindAnimate)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

static void FormulaWithLibrarySine(benchmark::State& state) {
    TwinnedWind world(static_cast<int>(state.range(0)), 1);
    double time = 0;
    for (auto _ : state) {
        referenceWindStep(world.twins, world.wind.levelFactors, 5, 5, time);
        time += 0.1;
        benchmark::DoNotOptimize(world.twins.data());
    }
    perVertex(state);
}
BENCHMARK(FormulaWithLibrarySine)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
