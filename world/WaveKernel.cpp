// Sines and cosines of whole arrays of phases, for the wind's per-vertex sway.
#include "world/WaveKernel.h"

namespace {

constexpr double TWO_OVER_PI = 0.63661977236758134308;
// pi/2 in three parts; the first two have 33 significant bits, so n * part is exact for |n| < 2^20.
constexpr double HALF_PI_1 = 1.57079632673412561417e+00;
constexpr double HALF_PI_2 = 6.07710050630396597660e-11;
constexpr double HALF_PI_3 = 2.02226624871116645580e-21;
// Adding and subtracting 1.5 * 2^52 rounds a double to the nearest integer.
constexpr double ROUNDER = 6755399441055744.0;

}  // namespace

// One clone per instruction set, chosen when the program loads: the loop below vectorises as wide
// as the processor allows.
__attribute__((target_clones("avx512f", "avx2", "default"))) void waveBatch(const double* phase, double* out, int n,
                                                                  bool cosine) {
    // cos x = sin(x + pi/2): a cosine is a sine one quadrant further on.
    const int shift = cosine ? 1 : 0;
    for (int i = 0; i < n; ++i) {
        const double x = phase[i];
        const double q = (x * TWO_OVER_PI + ROUNDER) - ROUNDER;
        const double r = ((x - q * HALF_PI_1) - q * HALF_PI_2) - q * HALF_PI_3;
        const double r2 = r * r;
        // Taylor series on [-pi/4, pi/4]; the first omitted terms are below 1e-16.
        const double sinR =
            r + r * r2 *
                    (-1.0 / 6 +
                     r2 * (1.0 / 120 +
                           r2 * (-1.0 / 5040 +
                                 r2 * (1.0 / 362880 +
                                       r2 * (-1.0 / 39916800 + r2 * (1.0 / 6227020800 + r2 * (-1.0 / 1307674368000)))))));
        const double cosR =
            1.0 + r2 * (-0.5 +
                        r2 * (1.0 / 24 +
                              r2 * (-1.0 / 720 +
                                    r2 * (1.0 / 40320 +
                                          r2 * (-1.0 / 3628800 +
                                                r2 * (1.0 / 479001600 +
                                                      r2 * (-1.0 / 87178291200 + r2 * (1.0 / 20922789888000))))))));
        // The quadrant of the phase: odd ones take the cosine, the upper two are negative.
        const int quadrant = (static_cast<int>(q) + shift) & 3;
        const double value = (quadrant & 1) ? cosR : sinR;
        out[i] = (quadrant & 2) ? -value : value;
    }
}
