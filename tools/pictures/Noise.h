// Hashes, a deterministic random stream, and tiling fractal noise.
#pragma once

#include <cstdint>

namespace pictures {

// Scrambles the bits of x so that neighbouring inputs give unrelated outputs.
uint32_t mixBits(uint32_t x);
// A hash of the pair (a, b) as a number in 0..1.
float hashUnit(int a, int b, uint32_t seed);

// A reproducible stream of random numbers: one seed, always the same picture.
class Rng {
public:
    explicit Rng(uint32_t seed) : state_(mixBits(seed * 0x9E3779B9u + 0x6A09E667u)) {}

    uint32_t next() {
        state_ += 0x9E3779B9u;
        return mixBits(state_);
    }
    float uniform() { return static_cast<float>(next() >> 8) / 16777216.0f; }
    float range(float lo, float hi) { return lo + (hi - lo) * uniform(); }
    int below(int n) { return static_cast<int>(next() % static_cast<uint32_t>(n)); }
    // Roughly normal with unit deviation; plenty for scattering things about.
    float normal() { return (uniform() + uniform() + uniform() + uniform() - 2.0f) * 1.7320508f; }

private:
    uint32_t state_;
};

// A lattice period far beyond any picture, for noise that need not tile.
constexpr int NO_REPEAT = 4096;

// Fractal sum of gradient noise; (x, y) are measured in cells of the first
// octave, which repeats every period x period cells. Every octave doubles the
// frequency and the period and halves the amplitude, so the sum repeats
// exactly like the first octave.
float fbm(float x, float y, int period, int octaves, uint32_t seed);

// Fractal noise over a tile: (u, v) in 0..1 covers the tile once, `cells`
// lattice cells across for the first octave.
float tileFbm(float u, float v, int cells, int octaves, uint32_t seed);

// Distance from the nearest to the second nearest feature point of a
// jittered grid: close to zero along a network of cell borders.
float cellBorder(float x, float y, uint32_t seed);

}  // namespace pictures
