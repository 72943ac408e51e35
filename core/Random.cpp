// The single source of randomness.
#include "core/Random.h"

#include "core/Vertex.h"

#include <cstdlib>

double randomUnit() { return (std::rand() % 1000) * 0.002 - 1.0; }

float* randomOffset(double amplitude) {
    const float z = static_cast<float>(amplitude * randomUnit());
    const float y = static_cast<float>(amplitude * randomUnit());
    const float x = static_cast<float>(amplitude * randomUnit());
    return makePoint(x, y, z);
}
