// The global wind field.
#include "world/Wind.h"

#include "core/Random.h"
#include "world/WaveKernel.h"

#include <unordered_map>

namespace {

// How fast the waves of x, y and z run against a vertex's frequency factor.
constexpr double SPEEDS[3] = {1.0, 1.3, 0.9};

}  // namespace

Wind::Wind() : levelFactors(new float[LEVEL_COUNT]()) {}

Wind::~Wind() { delete[] levelFactors; }

void Wind::chooseLevelFactors() {
    float* k = levelFactors;
    k[9] = 0.2f;
    for (int i = 8; i >= 1; --i) k[i] = static_cast<float>((randomUnit() + 4) * k[i + 1] * 0.2);
    k[0] = 0.0f;
}

// Each step takes back the displacement the previous one gave and gives that of the current time,
// x += b k sin(f t) - a k sin(f (t - 0.1)), and likewise y with cos(1.3 f t) and z with sin(0.9 f t).
// Summed up, a vertex stands at its rest position plus b k times the waves of the current time;
// the step writes that directly, so no float rounding piles up over the ticks.
void Wind::animate() {
    if (!active && targetStrength == appliedStrength) return;
    busy = true;
    const double a = static_cast<float>(appliedStrength * 0.2);
    const double b = static_cast<float>(targetStrength * 0.2);
    const double now = time();
    for (int level = 0; level < LEVEL_COUNT; ++level) {
        const double k = levelFactors[level];
        // Adding b * 0 - a * 0 leaves every coordinate as it is, so a still level is skipped.
        if (k == 0.0) continue;
        if (!swaying_[level].taken || swaying_[level].revision != groups[level].members->revision())
            note(level, a * k, now - 0.1);
        Swaying& swaying = swaying_[level];
        const int distinct = static_cast<int>(swaying.frequencies.size());
        // y follows a cosine, x and z a sine.
        for (int axis = 0; axis < 3; ++axis)
            frequencyWaves(swaying.frequencies.data(), distinct, SPEEDS[axis], now, axis == 1,
                           swaying.axisWaves[axis].data());
        for (int i = 0; i < distinct; ++i)
            for (int axis = 0; axis < 3; ++axis) swaying.waves[i].v[axis] = swaying.axisWaves[axis][i];
        swayVertices(swaying.arrays.data(), swaying.rests.data(), swaying.waveOf.data(), swaying.waves.data(),
                     static_cast<int>(swaying.arrays.size()), b * k);
    }
    appliedStrength = targetStrength;
    ++ticks;
    busy = false;
}

// Takes the group's members as they are now. A vertex already known keeps its rest position; a new
// one carries, as far as the step is concerned, the displacement of the previous step, which the
// step is about to take back: its rest is where it stands less that displacement.
void Wind::note(int level, double carried, double before) {
    Swaying& swaying = swaying_[level];
    std::unordered_map<const float*, Triple> known;
    if (swaying.taken)
        for (std::size_t i = 0; i < swaying.arrays.size(); ++i) known.emplace(swaying.arrays[i], swaying.rests[i]);
    swaying.arrays.clear();
    swaying.rests.clear();
    swaying.waveOf.clear();
    swaying.frequencies.clear();
    std::unordered_map<double, int> distinct;
    for (Vertex* v : items<Vertex>(groups[level].members)) {
        const double f = static_cast<double>(v->swayWeight) + 1.0;
        const auto wave = distinct.emplace(f, static_cast<int>(swaying.frequencies.size()));
        if (wave.second) swaying.frequencies.push_back(f);
        swaying.waveOf.push_back(wave.first->second);
        swaying.arrays.push_back(v->components);
        const auto old = known.find(v->components);
        if (old != known.end()) {
            swaying.rests.push_back(old->second);
            continue;
        }
        Triple rest{{v->get(0), v->get(1), v->get(2), 0.0}};
        if (carried != 0.0)
            for (int axis = 0; axis < 3; ++axis) {
                const double phase = SPEEDS[axis] * f * before;
                double wave;
                waveBatch(&phase, &wave, 1, axis == 1);
                rest.v[axis] -= carried * wave;
            }
        swaying.rests.push_back(rest);
    }
    swaying.waves.assign(swaying.frequencies.size(), Triple{});
    for (std::vector<double>& waves : swaying.axisWaves) waves.resize(swaying.frequencies.size());
    swaying.revision = groups[level].members->revision();
    swaying.taken = true;
}

void Wind::setStrength(int n) {
    if (!busy && targetStrength == appliedStrength) targetStrength = n;
}

void Wind::switchOn() {
    if (busy || active) return;
    appliedStrength = 0;
    targetStrength = restStrength;
    active = true;
    // The next step takes nothing back, so every vertex sways around where it stands now; noting it
    // here keeps the steps free of allocation.
    for (int level = 0; level < LEVEL_COUNT; ++level) {
        swaying_[level].taken = false;
        if (levelFactors[level] != 0.0f) note(level, 0.0, time() - 0.1);
    }
}

void Wind::switchOff() {
    if (busy || !active) return;
    restStrength = appliedStrength;
    targetStrength = 0;
    active = false;
}
