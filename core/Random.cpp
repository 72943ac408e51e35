// The single source of randomness.
#include "core/Random.h"

#include <cmath>
#include <cstdlib>

double randomUnit() { return (std::rand() % 1000) * 0.002 - 1.0; }

std::array<float, 3> randomOffset(double amplitude) {
    std::array<float, 3> offset;
    for (int i = 2; i >= 0; --i) offset[i] = static_cast<float>(amplitude * randomUnit());
    return offset;
}

int countBelow(float n) { return n > 0 ? static_cast<int>(std::ceil(n)) : 0; }
