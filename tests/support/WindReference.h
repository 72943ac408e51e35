// The wind step written straight from its formula with the C library's sine, vertex by vertex and
// in double precision throughout: what the real step must reproduce, at the same time value, to a
// float's rounding of the result.
#pragma once

#include <cmath>
#include <vector>

struct ReferenceVertex {
    double x, y, z;
    float swayWeight;
    int level;
};

inline void referenceWindStep(std::vector<ReferenceVertex>& vertices, const float* levelFactors, int applied,
                              int target, double time) {
    const double a = static_cast<float>(applied * 0.2), b = static_cast<float>(target * 0.2);
    const double t = time;
    for (ReferenceVertex& v : vertices) {
        const double k = levelFactors[v.level], f = static_cast<double>(v.swayWeight) + 1.0;
        v.x += b * k * std::sin(f * t) - a * k * std::sin(f * (t - 0.1));
        v.y += b * k * std::cos(1.3 * f * t) - a * k * std::cos(1.3 * f * (t - 0.1));
        v.z += b * k * std::sin(0.9 * f * t) - a * k * std::sin(0.9 * f * (t - 0.1));
    }
}
