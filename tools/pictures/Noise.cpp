// Hashes, gradient noise on a periodic lattice, its fractal sums, and cell borders.
#include "tools/pictures/Noise.h"

#include "tools/pictures/Raster.h"
#include "tools/pictures/Shapes.h"

#include <array>
#include <cmath>

namespace pictures {

uint32_t mixBits(uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352du;
    x ^= x >> 15;
    x *= 0x846ca68bu;
    x ^= x >> 16;
    return x;
}

namespace {

uint32_t hash2(int a, int b, uint32_t seed) {
    return mixBits(static_cast<uint32_t>(a) * 0x9E3779B1u ^ mixBits(static_cast<uint32_t>(b) + seed * 0x85EBCA77u));
}

const std::array<Vec2, 256>& gradientTable() {
    static const std::array<Vec2, 256> table = [] {
        std::array<Vec2, 256> t{};
        for (int i = 0; i < 256; ++i) {
            const float a = TWO_PI * (static_cast<float>(i) + 0.5f) / 256.0f;
            t[static_cast<size_t>(i)] = {std::cos(a), std::sin(a)};
        }
        return t;
    }();
    return table;
}

int wrapIndex(int i, int period) {
    const int m = i % period;
    return m < 0 ? m + period : m;
}

float fade(float t) { return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f); }

// Gradient noise repeating every period x period lattice cells; about -1..1.
float noise(float x, float y, int period, uint32_t seed) {
    const auto& grad = gradientTable();
    const float fx = std::floor(x), fy = std::floor(y);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    const float dx = x - fx, dy = y - fy;
    auto corner = [&](int cx, int cy) {
        const Vec2 g = grad[hash2(wrapIndex(ix + cx, period), wrapIndex(iy + cy, period), seed) & 255u];
        return g.x * (dx - static_cast<float>(cx)) + g.y * (dy - static_cast<float>(cy));
    };
    const float u = fade(dx), v = fade(dy);
    return 1.41f * lerp(lerp(corner(0, 0), corner(1, 0), u), lerp(corner(0, 1), corner(1, 1), u), v);
}

}  // namespace

float hashUnit(int a, int b, uint32_t seed) { return static_cast<float>(hash2(a, b, seed) >> 8) / 16777216.0f; }

float fbm(float x, float y, int period, int octaves, uint32_t seed) {
    float sum = 0.0f, amp = 1.0f, norm = 0.0f;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * noise(x, y, period, seed + static_cast<uint32_t>(o) * 1013u);
        norm += amp;
        x *= 2.0f;
        y *= 2.0f;
        period *= 2;
        amp *= 0.5f;
    }
    return sum / norm;
}

float tileFbm(float u, float v, int cells, int octaves, uint32_t seed) {
    return fbm(u * static_cast<float>(cells), v * static_cast<float>(cells), cells, octaves, seed);
}

float cellBorder(float x, float y, uint32_t seed) {
    const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
    float d1 = 1e9f, d2 = 1e9f;
    for (int j = -1; j <= 1; ++j) {
        for (int i = -1; i <= 1; ++i) {
            const int cx = ix + i, cy = iy + j;
            const float px = static_cast<float>(cx) + 0.15f + 0.7f * hashUnit(cx, cy, seed);
            const float py = static_cast<float>(cy) + 0.15f + 0.7f * hashUnit(cx, cy, seed + 1u);
            const float d = std::hypot(px - x, py - y);
            if (d < d1) {
                d2 = d1;
                d1 = d;
            } else if (d < d2) {
                d2 = d;
            }
        }
    }
    return d2 - d1;
}

}  // namespace pictures
