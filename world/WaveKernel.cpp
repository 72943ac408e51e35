// Sines and cosines of whole arrays of phases, for the wind's per-vertex sway.
#include "world/WaveKernel.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr double ONE_OVER_PI = 0.31830988618379067154;
// pi/2 in two parts, the first of 33 significant bits, so q * HALF_PI_1 is exact for |q| < 2^20; the
// rest of pi/2, about 2e-21, is left out, which shifts a phase of 10^6 by about 1e-15.
constexpr double HALF_PI_1 = 1.57079632673412561417e+00;
constexpr double HALF_PI_2 = 6.07710050630396597660e-11;
// Adding 1.5 * 2^52 rounds a double to the nearest integer, which then stands in the low bits.
constexpr double ROUNDER = 6755399441055744.0;

// sin x, or cos x when quarter is 0.5. cos x = sin(x + pi/2), so both are one sine: x = q pi/2 + r
// with |r| <= pi/2 and q even for a sine, odd for a cosine, and the sine of x is that of r, negated
// for an odd number of half turns. Inlined into each loop, so that the loop vectorises.
__attribute__((always_inline)) inline double wave(double x, double quarter) {
    const double rounded = x * ONE_OVER_PI + quarter + ROUNDER;
    const double turns = rounded - ROUNDER;
    const double q = 2 * turns - 2 * quarter;
    const double r = (x - q * HALF_PI_1) - q * HALF_PI_2;
    const double s = r * r;
    // A near-minimax fit of sin(r) / r on |r| <= pi/2 + 0.002, within 5e-16 of sin r.
    const double sinR =
        r * (0.9999999999999999 +
             s * (-0.1666666666666606 +
                  s * (0.00833333333328198 +
                       s * (-0.00019841269824652966 +
                            s * (2.755731658250134e-06 +
                                 s * (-2.505188022613992e-08 +
                                      s * (1.6048113456516985e-10 + s * -7.373704328413413e-13)))))));
    std::uint64_t bits, parity;
    std::memcpy(&parity, &rounded, sizeof parity);
    std::memcpy(&bits, &sinR, sizeof bits);
    bits ^= (parity & 1) << 63;
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

}  // namespace

// An AVX2 clone and a baseline one, chosen when the program loads: the loops below vectorise as wide
// as the processor allows, up to AVX2, the widest set of the machines that build and test them. The
// choice needs the ELF loader's indirect functions; elsewhere (Windows) the baseline serves.
#ifdef __ELF__
#define CLONED __attribute__((target_clones("avx2", "default")))
#else
#define CLONED
#endif

CLONED void waveBatch(const double* phase, double* out, int n, bool cosine) {
    const double quarter = cosine ? 0.5 : 0.0;
    for (int i = 0; i < n; ++i) out[i] = wave(phase[i], quarter);
}

CLONED void frequencyWaves(const double* frequency, int n, double speed, double now, bool cosine, double* out) {
    const double quarter = cosine ? 0.5 : 0.0;
    for (int i = 0; i < n; ++i) out[i] = wave(speed * frequency[i] * now, quarter);
}

CLONED void swayVertices(float* const* arrays, const Triple* rest, const int* waveOf, const Triple* waves, int n,
                         double amplitude) {
    // Written with vectors of four, so that each vertex is one multiply, one add and one conversion.
    typedef double Doubles __attribute__((vector_size(32)));
    typedef float Floats __attribute__((vector_size(16)));
    const Doubles scale = {amplitude, amplitude, amplitude, amplitude};
    for (int i = 0; i < n; ++i) {
        Doubles r, w;
        std::memcpy(&r, rest[i].v, sizeof r);
        std::memcpy(&w, waves[waveOf[i]].v, sizeof w);
        const Floats position = __builtin_convertvector(r + scale * w, Floats);
        float* c = arrays[i];
        c[0] = position[0];
        c[1] = position[1];
        c[2] = position[2];
    }
}
