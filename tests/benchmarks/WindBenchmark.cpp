// How long one wind step takes per registered vertex, against the formula evaluated plainly.
#include "core/Random.h"
#include "tests/support/WindReference.h"
#include "world/Wind.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

namespace {

// Plant vertices spread over levels 1 to 9 with weights like the vegetation's, each its own
// allocation as in the real world.
struct World {
    explicit World(int count) {
        std::srand(1);
        wind.chooseLevelFactors();
        for (int n = 0; n < count; ++n) {
            ReferenceVertex r{static_cast<float>(50 + 25 * randomUnit()), static_cast<float>(12 + 12 * randomUnit()),
                              static_cast<float>(50 + 25 * randomUnit()), static_cast<float>(randomUnit() + 1),
                              1 + n % 9};
            Vertex* v = new Vertex(makePoint(r.x, r.y, r.z));
            v->swayWeight = r.swayWeight;
            wind.groups[r.level].add(v);
            plain.push_back(r);
        }
        wind.switchOn();
    }
    Wind wind;
    std::vector<ReferenceVertex> plain;
};

// Seconds per vertex per step, shown with its SI prefix (9.5n is 9.5 ns).
void perVertex(benchmark::State& state, int count) {
    state.counters["per_vertex"] =
        benchmark::Counter(count, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void WindAnimate(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    World world(count);
    for (auto _ : state) world.wind.animate();
    perVertex(state, count);
}
BENCHMARK(WindAnimate)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void FormulaWithLibrarySine(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    World world(count);
    double time = 0;
    for (auto _ : state) {
        referenceWindStep(world.plain, world.wind.levelFactors, 5, 5, time);
        time += 0.1;
        benchmark::DoNotOptimize(world.plain.data());
    }
    perVertex(state, count);
}
BENCHMARK(FormulaWithLibrarySine)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
