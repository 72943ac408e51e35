// The juniper and leaf textures.
#include "tools/pictures/Painters.h"

#include "tools/pictures/Noise.h"
#include "tools/pictures/Shapes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace pictures {

// Juniper: sprigs of blue-green needles in threes, a few dusky berries.
Image makeJuniper() {
    constexpr int N = 128;
    Image img(N, N);
    shadeTile(img, [](Rgb& c, float u, float v) {
        c = mix(hex(0x0b1a15), hex(0x21402f), clamp01(0.5f + tileFbm(u, v, 8, 4, 51u)));
    });

    Rng rng(53u);
    const Rgb needleDark = hex(0x2a5646), needleLight = hex(0x5a8f78), bloom = hex(0xa6c8bc);
    constexpr int SPRIGS = 150;
    int berriesLeft = 9;
    for (int i = 0; i < SPRIGS; ++i) {
        const float depth = static_cast<float>(i) / SPRIGS;
        const Vec2 start{rng.range(0.0f, N), rng.range(0.0f, N)};
        const float heading = rng.range(0.0f, TWO_PI);
        const float len = rng.range(18.0f, 34.0f);
        const float curl = rng.range(-0.5f, 0.5f);
        const Vec2 dir{std::cos(heading), std::sin(heading)};
        const Vec2 side{-dir.y, dir.x};
        const Vec2 end = start + dir * len + side * (curl * len * 0.5f);
        const Vec2 ctrl = start + dir * (len * 0.5f) + side * (curl * len * 0.4f);
        const auto twig = curve(start, ctrl, end, 0.9f, 0.4f);
        paintSolidStroke(img, twig, hex(0x2c261c) * (0.6f + 0.6f * depth), 1.0f, true);

        const float shade = 0.6f + 0.55f * depth;
        const Rgb tint = mix(needleDark, needleLight, rng.uniform());
        const int whorls = static_cast<int>(len / 2.6f);
        for (int k = 0; k < whorls; ++k) {
            const float t = (static_cast<float>(k) + 0.5f) / static_cast<float>(whorls);
            const Vec2 at = quadraticPoint(start, ctrl, end, t);
            const Vec2 tangent = (ctrl - start) * (2.0f * (1.0f - t)) + (end - ctrl) * (2.0f * t);
            const float base = std::atan2(tangent.y, tangent.x);
            const float spin = static_cast<float>(k) * 1.1f;
            for (int m = 0; m < 3; ++m) {
                // Three needles per whorl, splayed forward; the one pointing
                // at the viewer looks short.
                const float phase = spin + static_cast<float>(m) * TWO_PI / 3.0f;
                const float spread = std::sin(phase);
                const float nlen = rng.range(6.0f, 11.0f) * (0.45f + 0.55f * std::fabs(std::cos(phase * 0.5f)));
                const float ang = base + spread * 0.9f + rng.range(-0.15f, 0.15f);
                const Vec2 tip = at + Vec2{std::cos(ang), std::sin(ang)} * nlen;
                const std::vector<StrokePoint> needle = {{at.x, at.y, 0.95f}, {tip.x, tip.y, 0.15f}};
                paintSolidStroke(img, offsetStroke(needle, 0.8f, 1.0f, 0.4f), hex(0x020806), 0.35f, true);
                const float lift = 0.85f + 0.3f * std::cos(phase);
                paintStroke(img, needle, 1.0f, true, [&](StrokeHit h) {
                    // A pale waxy stripe down each needle, brighter tips.
                    Rgb c = mix(tint, bloom, 0.45f * std::max(0.0f, 1.0f - 2.5f * std::fabs(h.across + 0.2f)));
                    c = mix(c, needleLight * 1.25f, 0.5f * h.t * h.t);
                    return c * (shade * lift * (0.75f + 0.35f * h.t));
                });
            }
        }

        if (berriesLeft > 0 && depth > 0.3f && rng.uniform() < 0.12f) {
            --berriesLeft;
            const Vec2 c = end + side * rng.range(-4.0f, 4.0f);
            const float r = rng.range(3.2f, 4.0f);
            const uint32_t seed = rng.next();
            paintSolidStroke(img, {{c.x + 1.0f, c.y + 1.2f, r + 0.6f}}, hex(0x020806), 0.5f, true);
            // Shade the berry per pixel: round body, dusty bloom, a glint.
            const int x0 = static_cast<int>(std::floor(c.x - r)) - 1, x1 = static_cast<int>(std::ceil(c.x + r));
            const int y0 = static_cast<int>(std::floor(c.y - r)) - 1, y1 = static_cast<int>(std::ceil(c.y + r));
            for (int y = y0; y <= y1; ++y) {
                for (int x = x0; x <= x1; ++x) {
                    const float dx = (static_cast<float>(x) + 0.5f - c.x) / r,
                                dy = (static_cast<float>(y) + 0.5f - c.y) / r;
                    const float rr = dx * dx + dy * dy;
                    const float cov = coverage((std::sqrt(rr) - 1.0f) * r);
                    if (cov <= 0.0f) continue;
                    const float z = std::sqrt(std::max(0.0f, 1.0f - rr));
                    const float lambert = clamp01(0.25f + 0.75f * (-0.45f * dx - 0.55f * dy + 0.7f * z));
                    Rgb col = mix(hex(0x1e2446), hex(0x5a6896), lambert);
                    col = mix(col, hex(0xa3acc8), 0.35f * hashUnit(x, y, seed) * z);
                    const float glint = std::pow(clamp01(1.0f - std::hypot(dx + 0.4f, dy + 0.45f) * 2.6f), 2.0f);
                    col = mix(col, hex(0xe6ecf6), glint);
                    img.blendWrapped(x, y, col, cov);
                }
            }
        }
    }
    return img;
}

// Leaf: a toothed, triangular blade. The texture is laid on a triangle
// with the leaf tip at the middle of the last row and the base along the
// first row.
Image makeLeaf() {
    constexpr int N = 128;
    constexpr float S = static_cast<float>(N);
    Image img(N, N);
    const Rgb blade = hex(0x3f7f2a), bladeDark = hex(0x2a5e1e), bladeLight = hex(0x6a9f3a);
    const Rgb rib = hex(0xc2dc86), vein = hex(0x93c25e), rim = hex(0x9cc45a), gap = hex(0x24501a);

    // Lateral veins leave the midrib and arc forward to the toothed edge.
    struct Vein {
        float startY;
        float side;
    };
    std::vector<Vein> veins;
    for (int k = 0; k < 8; ++k) {
        const float y = 8.0f + static_cast<float>(k) * 13.0f;
        veins.push_back({y, -1.0f});
        veins.push_back({y + 5.0f, 1.0f});
    }
    std::vector<std::vector<StrokePoint>> veinStrokes;
    for (const Vein& v : veins) {
        const float halfAt = 0.5f * S * (1.0f - v.startY / S);
        const float reach = halfAt * 0.92f;
        const Vec2 a{0.5f * S, v.startY};
        const Vec2 b{0.5f * S + v.side * reach, v.startY + reach * 0.85f};
        const Vec2 c{0.5f * S + v.side * reach * 0.5f, v.startY + reach * 0.33f};
        const float w = 1.0f - 0.45f * v.startY / S;
        veinStrokes.push_back(curve(a, c, b, w, 0.3f, 10));
    }

    for (int y = 0; y < N; ++y) {
        for (int x = 0; x < N; ++x) {
            const Vec2 p{static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f};
            const float along = p.y / S;  // 0 at the base, 1 at the tip
            const float half = std::max(0.5f * S * (1.0f - along), 1e-3f);
            const float lateral = (p.x - 0.5f * S) / half;                       // -1..1 across the blade
            const float edgeDist = (half - std::fabs(p.x - 0.5f * S)) * 0.894f;  // to the slanted side, pixels

            const float mottle = tileFbm(p.x / S, p.y / S, 6, 4, 61u);
            Rgb c = mix(bladeLight, blade, smoothstep(0.0f, 0.45f, std::fabs(lateral)));
            c = mix(c, bladeDark, smoothstep(0.55f, 1.0f, std::fabs(lateral)) * 0.7f);
            c = c * (1.0f + 0.12f * mottle);

            // Fine vein network between the main veins.
            const float net = cellBorder(p.x / 5.0f, p.y / 5.0f, 62u);
            c = mix(c, vein * 0.9f, 0.18f * (1.0f - smoothstep(0.03f, 0.15f, net)));

            for (const auto& vs : veinStrokes) {
                const float sd = nearestOnStroke(vs, p).sd;
                // Slight shadow beside each vein gives the blade some relief.
                c = c * (1.0f - 0.12f * (1.0f - smoothstep(0.0f, 2.5f, sd)));
                c = mix(c, vein, 0.8f * coverage(sd));
            }

            const float ribHalf = lerp(1.8f, 0.4f, along);
            const float ribDist = std::fabs(p.x - 0.5f * S) - ribHalf;
            c = c * (1.0f - 0.15f * (1.0f - smoothstep(0.0f, 3.0f, ribDist)));
            c = mix(c, rib, coverage(ribDist));

            // Saw teeth along both slanted edges, pointing towards the tip.
            const float edgeRun = p.y * 1.118f;
            const float phase = edgeRun / 8.5f - std::floor(edgeRun / 8.5f);
            const float tooth = 0.6f + 4.0f * phase;
            const float toothSd = tooth - edgeDist;  // positive: between the teeth
            c = mix(c, rim, clamp01(1.0f - std::fabs(toothSd) / 1.1f) * 0.8f);
            c = mix(c, gap, coverage(-toothSd));

            // The base edge is a plain dark margin with the stalk in the middle.
            c = mix(c, bladeDark, (1.0f - smoothstep(0.0f, 2.0f, p.y)) * 0.6f);
            const float stalk = std::hypot((p.x - 0.5f * S) / 2.5f, p.y / 5.0f);
            c = mix(c, hex(0x7a8c3a), coverage((stalk - 1.0f) * 2.5f));

            if (edgeDist < -0.5f) c = gap;  // outside the triangle: never seen, no colour bleed
            img.at(x, y) = c;
        }
    }
    return img;
}

}  // namespace pictures
