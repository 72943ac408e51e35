// The grass texture and the sky panorama.
#include "tools/pictures/Painters.h"

#include "tools/pictures/Noise.h"
#include "tools/pictures/Shapes.h"

#include <algorithm>
#include <cmath>

namespace pictures {

// Grass: a mat of blades over soil, repeating seamlessly.
Image makeGrass() {
    constexpr int N = 256;
    Image img(N, N);
    shadeTile(img, [](Rgb& c, float u, float v) {
        const float broad = tileFbm(u, v, 4, 5, 11u);
        const float fine = tileFbm(u, v, 32, 3, 12u);
        const Rgb soil = mix(hex(0x2e2416), hex(0x5b4a2e), clamp01(0.5f + fine));
        const Rgb moss = mix(hex(0x1d3814), hex(0x3b5f1f), clamp01(0.5f + 1.5f * fine));
        c = mix(soil, moss, smoothstep(-0.25f, 0.25f, broad + 0.6f * fine + 0.1f));
    });

    const Rgb greens[] = {hex(0x4f8a2a), hex(0x5e9a30), hex(0x3f7a25), hex(0x6fa83a),
                          hex(0x87b444), hex(0x2f6a22), hex(0x77a035), hex(0x4a7f2c)};
    const Rgb straw = hex(0xb0a060);
    Rng rng(7u);
    constexpr int BLADES = 2400;
    for (int i = 0; i < BLADES; ++i) {
        const float depth = static_cast<float>(i) / BLADES;  // later blades lie on top and catch more light
        const Vec2 root{rng.range(0.0f, N), rng.range(0.0f, N)};
        const float angle = -0.5f * PI + 0.9f * rng.normal();
        const float len = rng.range(8.0f, 22.0f);
        const float bend = rng.range(-0.35f, 0.35f) * len;
        const Vec2 dir{std::cos(angle), std::sin(angle)};
        const Vec2 side{-dir.y, dir.x};
        const Vec2 tip = root + dir * len + side * (0.6f * bend);
        const Vec2 ctrl = root + dir * (0.55f * len) + side * bend;
        const float width = rng.range(0.7f, 1.3f);
        const auto blade = curve(root, ctrl, tip, width, 0.15f);

        paintSolidStroke(img, offsetStroke(blade, 1.2f, 1.6f, 0.5f), hex(0x0c1408), 0.35f, true);

        Rgb base = greens[rng.below(8)];
        if (rng.uniform() < 0.07f) base = mix(base, straw, rng.range(0.5f, 0.9f));
        base = base * rng.range(0.85f, 1.1f);
        const float light = 0.65f + 0.45f * depth;
        paintStroke(img, blade, 1.0f, true, [&](StrokeHit h) {
            // Darker at the root, lighter towards the tip, a brighter midrib
            // and one flank in shade.
            const float along = 0.55f + 0.6f * h.t;
            const float rib = 1.0f + 0.18f * (1.0f - std::fabs(h.across));
            const float flank = 1.0f - 0.15f * std::max(0.0f, h.across);
            return base * (light * along * rib * flank);
        });
    }

    // Broad, gentle variation so the repeats are not too uniform nor too obvious.
    shadeTile(img, [](Rgb& c, float u, float v) {
        c = c * (1.0f + 0.12f * tileFbm(u, v, 2, 3, 21u));
        c = mix(c, c * hex(0xfff0c0), clamp01(0.4f * tileFbm(u, v, 3, 2, 22u)));
    });
    return img;
}

// Sky: latitude-longitude panorama, zenith at the top, nadir at the bottom.
Image makeSky() {
    constexpr int W = 512, H = 256, SS = 3;
    Image img(W, H);
    const Rgb zenith = hex(0x2a5aa8), midSky = hex(0x5f95d6), haze = hex(0xd6e2ea);
    const Rgb cloudLit = hex(0xffffff), cloudShade = hex(0x9eaabf);
    const Rgb nearGround = hex(0x8c9886), farGround = hex(0x64735a), nadir = hex(0x2e3828);
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            Rgb sum;
            for (int sy = 0; sy < SS; ++sy) {
                for (int sx = 0; sx < SS; ++sx) {
                    const float u = (static_cast<float>(x) + (static_cast<float>(sx) + 0.5f) / SS) / W;
                    const float t = (static_cast<float>(y) + (static_cast<float>(sy) + 0.5f) / SS) / H;
                    const float az = TWO_PI * u, elev = (0.5f - t) * PI;
                    const float up = std::sin(elev), flat = std::cos(elev);
                    const Vec2 heading{flat * std::cos(az), flat * std::sin(az)};
                    Rgb c;
                    if (up >= 0.0f) {
                        Rgb sky = mix(zenith, midSky, std::pow(1.0f - up, 1.6f));
                        sky = mix(sky, haze, std::pow(1.0f - up, 7.0f));
                        // Clouds lie on a flat layer overhead; projecting the
                        // view direction onto it gives perspective, a seamless
                        // wrap in azimuth and no pinch at the pole.
                        const Vec2 q = heading * (0.55f / std::max(up, 0.03f));
                        const float n = fbm(q.x + 50.0f, q.y + 50.0f, NO_REPEAT, 6, 31u);
                        const float lit = fbm(q.x + 50.3f, q.y + 49.6f, NO_REPEAT, 6, 31u);
                        const float threshold = lerp(-0.1f, 0.12f, smoothstep(0.05f, 0.7f, up));
                        float cover = smoothstep(threshold, threshold + 0.35f, n);
                        cover *= 1.0f - smoothstep(0.84f, 0.96f, up);
                        cover *= smoothstep(0.0f, 0.05f, up);
                        Rgb cloud =
                            mix(cloudShade, cloudLit, clamp01(0.55f + 3.5f * (n - lit) + 0.6f * (n - threshold)));
                        cloud = mix(cloud, haze, std::pow(1.0f - up, 12.0f) * 0.8f);
                        c = mix(sky, cloud, 0.92f * cover);
                    } else {
                        const float down = -up;
                        // Distant country: fields and woods mottled on a ground
                        // plane, fading into haze at the horizon.
                        const Vec2 q = heading * (0.5f / std::max(down, 0.03f));
                        const float n = fbm(q.x + 20.0f, q.y + 20.0f, NO_REPEAT, 5, 41u);
                        const float fields = fbm(q.x * 3.0f + 7.0f, q.y * 3.0f, NO_REPEAT, 3, 42u);
                        Rgb ground = mix(farGround, mix(hex(0x4a5a3e), hex(0x7a7c56), clamp01(0.5f + fields)),
                                         smoothstep(-0.2f, 0.3f, n) * 0.6f);
                        ground = mix(ground, nadir, smoothstep(0.1f, 1.0f, down));
                        c = mix(ground, nearGround, std::exp(-down * 9.0f));
                        c = mix(c, haze, std::exp(-down * 40.0f));
                    }
                    sum = sum + c;
                }
            }
            img.at(x, y) = sum * (1.0f / (SS * SS));
        }
    }
    return img;
}

}  // namespace pictures
