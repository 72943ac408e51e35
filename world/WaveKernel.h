// Sines and cosines of whole arrays of phases, for the wind's per-vertex sway.
#pragma once

// out[i] := sin(phase[i]), or cos(phase[i]) when cosine is set, for i below n; within a few double
// ulps for phases up to 10^6, and within about 10^-9 at the 10^7 that a week of wind reaches.
__attribute__((access(read_only, 1, 3), access(write_only, 2, 3))) void waveBatch(const double* phase, double* out,
                                                                                    int n, bool cosine);

// out[i] := the wave of phase speed * frequency[i] * now, for i below n: waveBatch without the phases.
__attribute__((access(read_only, 1, 2), access(write_only, 6, 2))) void frequencyWaves(const double* frequency, int n,
                                                                                        double speed, double now,
                                                                                        bool cosine, double* out);

// Four doubles on one 32-byte line: a vertex's rest x, y, z, or the x, y and z waves of one frequency
// factor; the fourth is padding, so that one vector operation handles all three.
struct alignas(32) Triple {
    double v[4];
};

// Moves every vertex i below n to its rest plus amplitude times the waves of its frequency factor:
// arrays[i][axis] := rest[i][axis] + amplitude * waves[waveOf[i]][axis], rounded to float, for the
// axes x, y and z; the fourth float of each array, its mark, is left alone.
void swayVertices(float* const* arrays, const Triple* rest, const int* waveOf, const Triple* waves, int n,
                  double amplitude);
