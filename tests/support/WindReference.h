// The wind step written straight from its formula with the C library's sine, vertex by vertex and in
// double precision throughout: what the real step must reproduce at the same time value, to a float's
// rounding of the result; and a wind whose vertices have such twins.
#pragma once

#include "core/Random.h"
#include "world/Wind.h"

#include <cmath>
#include <cstdlib>
#include <vector>

struct ReferenceVertex { double x, y, z; float swayWeight; int level; };

inline void referenceWindStep(std::vector<ReferenceVertex>& vertices, const float* levelFactors, int applied,
                              int target, double time) {
    const double a = static_cast<float>(applied * 0.2), b = static_cast<float>(target * 0.2), t = time;
    for (ReferenceVertex& v : vertices) {
        const double k = levelFactors[v.level], f = static_cast<double>(v.swayWeight) + 1.0;
        v.x += b * k * std::sin(f * t) - a * k * std::sin(f * (t - 0.1));
        v.y += b * k * std::cos(1.3 * f * t) - a * k * std::cos(1.3 * f * (t - 0.1));
        v.z += b * k * std::sin(0.9 * f * t) - a * k * std::sin(0.9 * f * (t - 0.1));
    }
}

// A wind with real level factors and plant-like vertices from the given level up, each with its twin.
struct TwinnedWind {
    TwinnedWind(int count, int lowestLevel) {
        std::srand(99);
        wind.chooseLevelFactors();
        for (int n = 0; n < count; ++n)
            join({static_cast<float>(50 + 20 * randomUnit()), static_cast<float>(10 + 10 * randomUnit()),
                  static_cast<float>(50 + 20 * randomUnit()), static_cast<float>(randomUnit() + 1),
                  lowestLevel + n % (10 - lowestLevel)});
    }
    void join(const ReferenceVertex& r) {
        vertices.push_back(new Vertex(makePoint(static_cast<float>(r.x), static_cast<float>(r.y), static_cast<float>(r.z))));
        vertices.back()->swayWeight = r.swayWeight;
        wind.groups[r.level].add(vertices.back());
        twins.push_back(r);
    }

    Wind wind;
    std::vector<Vertex*> vertices;
    std::vector<ReferenceVertex> twins;
};
