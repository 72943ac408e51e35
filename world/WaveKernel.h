// Sines and cosines of whole arrays of phases, for the wind's per-vertex sway.
#pragma once

// out[i] := sin(phase[i]), or cos(phase[i]) when cosine is set; accurate to about one double ulp
// for phases well beyond any the wind reaches, and vectorised where the processor allows.
void waveBatch(const double* phase, double* out, int n, bool cosine);
