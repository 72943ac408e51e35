// The single source of randomness: every random decision of the world goes through it.
#pragma once

#include <array>

// (rand() mod 1000) * 0.002 - 1: one of -1.0, -0.998, ..., 0.998; never +1.
double randomUnit();

// (A·u, A·u, A·u), each product taken in double and stored as a float. The draws go z first, then
// y, then x: every generator's world depends on that order.
std::array<float, 3> randomOffset(double amplitude);

// How many times a loop runs whose counter, starting at 0, stays below n: none for n <= 0, else the
// whole number at or above n. The generators draw their counts as floats.
int countBelow(float n);
