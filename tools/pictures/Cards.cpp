// The lettered pictures: the title card, the help hint, the help panel and the logo.
#include "tools/pictures/Painters.h"

#include "tools/pictures/Lettering.h"
#include "tools/pictures/Noise.h"
#include "tools/pictures/Shapes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace pictures {

namespace {

// Title card: hills at dusk under the name.

// Height of a ridge line (pixels from the top) at column x.
float ridge(float x, float base, float amp, float freq, uint32_t seed) {
    return base - amp * fbm(x * freq, 0.37f * static_cast<float>(seed % 7u), NO_REPEAT, 5, seed);
}

void paintDuskLandscape(Image& img, uint32_t seed) {
    const float W = static_cast<float>(img.w), H = static_cast<float>(img.h);
    const Vec2 sun{0.72f * W, 0.8f * H};
    for (int y = 0; y < img.h; ++y) {
        for (int x = 0; x < img.w; ++x) {
            const float fy = (static_cast<float>(y) + 0.5f) / H;
            Rgb c = mix(hex(0x0c1230), hex(0x2b3766), smoothstep(0.0f, 0.6f, fy));
            c = mix(c, hex(0x8a5a78), smoothstep(0.45f, 0.85f, fy));
            c = mix(c, hex(0xe9a466), smoothstep(0.7f, 0.95f, fy) * 0.85f);
            const float glow =
                std::exp(-length(Vec2{static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f} - sun) / (0.16f * W));
            c = c + hex(0xffb070) * (0.45f * glow);
            img.at(x, y) = c;
        }
    }
    // Stars, fading out towards the glowing horizon.
    Rng rng(seed);
    for (int i = 0; i < 140; ++i) {
        const float x = rng.range(0.0f, W), y = rng.range(0.0f, 0.6f * H);
        const float fade = 1.0f - smoothstep(0.15f * H, 0.6f * H, y);
        const float r = rng.range(0.35f, 0.85f);
        paintSolidStroke(img, {{x, y, r}}, hex(0xeef2ff), fade * rng.range(0.35f, 1.0f), false);
    }
    // Ridges from far to near, each darker and less hazy.
    const Rgb ridgeColours[] = {hex(0x5a5a88), hex(0x3a3c64), hex(0x22243c), hex(0x111320)};
    const float bases[] = {0.80f, 0.86f, 0.92f, 0.985f};
    const float amps[] = {0.10f, 0.08f, 0.07f, 0.06f};
    for (int layer = 0; layer < 4; ++layer) {
        const uint32_t s = seed + 17u * static_cast<uint32_t>(layer + 1);
        auto ridgeTop = [&](float x) {
            return ridge(x, bases[layer] * H, amps[layer] * H * 2.2f, (3.0f + 1.5f * static_cast<float>(layer)) / W, s);
        };
        for (int x = 0; x < img.w; ++x) {
            const float top = ridgeTop(static_cast<float>(x) + 0.5f);
            for (int y = std::max(0, static_cast<int>(top) - 1); y < img.h; ++y) {
                const float cov = clamp01(static_cast<float>(y) + 0.5f - top + 0.5f);
                const float depthDown = (static_cast<float>(y) - top) / H;
                img.blend(x, y,
                          ridgeColours[layer] * (1.0f - 0.6f * clamp01(depthDown * 4.0f) * (layer == 3 ? 0.0f : 1.0f)),
                          cov);
            }
        }
        if (layer == 3) {
            // A few juniper silhouettes on the nearest ridge.
            Rng trees(seed + 99u);
            for (int i = 0; i < 9; ++i) {
                const float x = trees.range(0.0f, W);
                const float top = ridgeTop(x);
                const float hgt = trees.range(0.05f, 0.11f) * H;
                const float wid = hgt * trees.range(0.22f, 0.32f);
                for (int k = 0; k < 7; ++k) {
                    const float t = static_cast<float>(k) / 6.0f;
                    paintSolidStroke(img, {{x, top + 2.0f - hgt * t, wid * (1.0f - 0.8f * t) + 0.6f}}, ridgeColours[3],
                                     1.0f, false);
                }
            }
        }
    }
}

}  // namespace

Image makeTitle() {
    Image img(512, 256);
    paintDuskLandscape(img, 81u);
    const std::string name = "Florvane";
    const float scale = 9.0f, baseline = 122.0f;
    const auto title = layoutCentred(name, 256.0f, baseline, scale, 0.15f);
    const float hw = 0.55f * scale;
    drawTextShadow(img, layoutCentred(name, 259.0f, baseline + 4.0f, scale, 0.15f), hw, 7.0f, hex(0x05060c), 0.7f);
    // Gradient fill from warm cream to gold, with a soft outer glow.
    const float top = baseline - CAP_HEIGHT * scale;
    shadeAroundInk(img, title, hw, hw + 12.0f, [&](int x, int y, float e) {
        const float fy = clamp01((static_cast<float>(y) - top) / (CAP_HEIGHT * scale));
        img.blend(x, y, hex(0xffd890), 0.22f * (1.0f - smoothstep(0.0f, 11.0f, e)));
        Rgb fill = mix(hex(0xfff8e6), hex(0xf0b85a), smoothstep(0.2f, 1.0f, fy));
        fill = mix(fill, hex(0xffffff), 0.5f * clamp01(1.0f + e / 2.0f) * (1.0f - fy));  // lit upper rim
        img.blend(x, y, fill, coverage(e));
    });
    const std::string sub = "procedural landscape";
    const auto subtitle = layoutCentred(sub, 256.0f, 160.0f, 2.4f, 0.8f);
    drawTextShadow(img, layoutCentred(sub, 257.0f, 161.5f, 2.4f, 0.8f), 1.2f, 3.0f, hex(0x05060c), 0.6f);
    drawText(img, subtitle, 1.2f, hex(0xd6def2));
    return img;
}

// Hint and help: light text on dark panels.

namespace {

void paintPanel(Image& img, Rgb top, Rgb bottom, Rgb frame) {
    const float W = static_cast<float>(img.w), H = static_cast<float>(img.h);
    for (int y = 0; y < img.h; ++y) {
        for (int x = 0; x < img.w; ++x) {
            const float fx = (static_cast<float>(x) + 0.5f) / W, fy = (static_cast<float>(y) + 0.5f) / H;
            Rgb c = mix(top, bottom, fy);
            const float vx = 2.0f * fx - 1.0f, vy = 2.0f * fy - 1.0f;
            c = c * (1.0f - 0.25f * smoothstep(0.3f, 1.4f, vx * vx + vy * vy));
            // A thin rounded frame inset from the edge.
            const float inset = 2.5f, radius = std::min(6.0f, 0.25f * H);
            const float qx =
                std::max(std::fabs(static_cast<float>(x) + 0.5f - 0.5f * W) - (0.5f * W - inset - radius), 0.0f);
            const float qy =
                std::max(std::fabs(static_cast<float>(y) + 0.5f - 0.5f * H) - (0.5f * H - inset - radius), 0.0f);
            const float frameDist = std::fabs(std::hypot(qx, qy) - radius);
            c = mix(c, frame, coverage(frameDist - 0.5f));
            img.at(x, y) = c;
        }
    }
}

}  // namespace

Image makeF1Hint() {
    Image img(256, 32);
    paintPanel(img, hex(0x1d2330), hex(0x10141c), hex(0x485572));
    const float scale = 2.4f, hw = 0.5f * scale;
    const std::string key = "F1", rest = " - help";
    const float total = textWidth(key + rest, scale);
    const float x = std::round(128.0f - 0.5f * total), baseline = 22.5f;
    drawTextShadow(img, layoutText(key + rest, x + 1.0f, baseline + 1.0f, scale), hw, 2.0f, hex(0x000000), 0.6f);
    drawText(img, layoutText(key, x, baseline, scale), hw, hex(0xffd27a));
    drawText(img, layoutText(rest, x + penAdvance(key, scale), baseline, scale), hw, hex(0xeef1f6));
    return img;
}

Image makeHelp() {
    Image img(512, 256);
    paintPanel(img, hex(0x1a2030), hex(0x0d1018), hex(0x3c4760));

    const Rgb keyColour = hex(0xffd27a), textColour = hex(0xe6eaf2), dim = hex(0x8c96ac);
    const float headScale = 2.0f;
    const std::string heading = "Florvane - keys";
    drawTextShadow(img, layoutCentred(heading, 257.0f, 22.0f, headScale, 0.3f), 0.55f * headScale, 2.5f, hex(0x000000),
                   0.6f);
    drawText(img, layoutCentred(heading, 256.0f, 21.0f, headScale, 0.3f), 0.55f * headScale, keyColour);
    for (int x = 24; x < 488; ++x) {
        const float fx = static_cast<float>(x);
        img.blend(x, 27, dim, 0.7f * smoothstep(24.0f, 120.0f, fx) * (1.0f - smoothstep(392.0f, 488.0f, fx)));
    }

    struct Entry {
        const char* key;
        const char* what;
        const char* key2;
        const char* what2;
    };
    const Entry entries[] = {
        {"Esc", "quit", nullptr, nullptr},
        {"0", "camera: fly-through", nullptr, nullptr},
        {"1", "camera: centre of the landscape", nullptr, nullptr},
        {"2", "camera: free look (mouse to look)", nullptr, nullptr},
        {"3", "camera: follow a butterfly", nullptr, nullptr},
        {"W A S D / arrows", "move (free look)", nullptr, nullptr},
        {"V", "wind on/off", nullptr, nullptr},
        {"+ / -", "wind stronger / weaker", nullptr, nullptr},
        {"M", "butterflies on/off", nullptr, nullptr},
        {"P", "rain on/off", nullptr, nullptr},
        {"R", "spotlight on/off", nullptr, nullptr},
        {"F7", "midnight", "F8", "noon"},
        {"F1", "this help", nullptr, nullptr},
        {"Right mouse button", "menu", nullptr, nullptr},
    };
    const float scale = 1.6f, hw = 0.5f * scale, pitch = 15.6f;
    float keyColumn = 0.0f;
    for (const Entry& e : entries) keyColumn = std::max(keyColumn, textWidth(e.key, scale));
    const std::string dash = " - ";
    const float dashWidth = penAdvance(dash, scale);
    float widest = 0.0f;
    for (const Entry& e : entries) {
        float w = textWidth(e.what, scale);
        if (e.key2) w += 6.0f * SPACE_WIDTH * scale + textWidth(std::string(e.key2) + dash + e.what2, scale);
        widest = std::max(widest, keyColumn + dashWidth + w);
    }
    const float left = std::floor(0.5f * (512.0f - widest));
    const float keyRight = left + keyColumn;
    float baseline = 43.0f;
    auto append = [&](std::vector<Segment>& to, const std::string& text, float x) {
        const std::vector<Segment> more = layoutText(text, x, baseline, scale);
        to.insert(to.end(), more.begin(), more.end());
    };
    for (const Entry& e : entries) {
        std::vector<Segment> keys = layoutText(e.key, keyRight - textWidth(e.key, scale), baseline, scale);
        std::vector<Segment> dashes = layoutText(dash, keyRight + LETTER_GAP * scale, baseline, scale);
        std::vector<Segment> words = layoutText(e.what, keyRight + dashWidth, baseline, scale);
        if (e.key2) {
            const float x2 = keyRight + dashWidth + textWidth(e.what, scale) + 6.0f * SPACE_WIDTH * scale;
            append(keys, e.key2, x2);
            const float xd = x2 + penAdvance(e.key2, scale);
            append(dashes, dash, xd);
            append(words, e.what2, xd + dashWidth - LETTER_GAP * scale);
        }
        drawText(img, keys, hw, keyColour);
        drawText(img, dashes, hw, dim);
        drawText(img, words, hw, textColour);
        baseline += pitch;
    }
    return img;
}

// Logo: added onto the scene, so black stays black and everything else
// glows.
Image makeLogo() {
    constexpr int W = 128, H = 64;
    Image img(W, H);
    // Emblem: a leaf crossing a small sun.
    const Vec2 centre{64.0f, 19.0f};
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            const Vec2 p{static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f};
            const Vec2 q = p - centre;
            const float r = length(q);
            Rgb c;
            // Sun ring with short rays.
            const float ring = std::fabs(r - 11.0f) - 1.1f;
            const float ang = std::atan2(q.y, q.x);
            const float rays = std::max(std::fabs(r - 15.0f) - 1.6f, (std::fabs(std::sin(ang * 6.0f)) - 0.12f) * r);
            const Rgb gold = hex(0xffc04a);
            c = c + gold * coverage(ring) + gold * (0.8f * coverage(rays));
            c = c + gold * (0.35f * std::exp(-std::max(0.0f, std::min(ring, rays)) / 2.5f));
            // Leaf: intersection of two discs, tilted.
            const float ca = std::cos(0.75f), sa = std::sin(0.75f);
            const Vec2 l{q.x * ca - q.y * sa, q.x * sa + q.y * ca};
            const float lens = std::max(length(l - Vec2{0.0f, 14.5f}) - 20.0f, length(l - Vec2{0.0f, -14.5f}) - 20.0f);
            const float leafCov = coverage(lens);
            // Two-tone blade split by a pale midrib, like a leaf lit from one side.
            Rgb leaf = l.y < 0.0f ? hex(0x6fe04a) : hex(0x3fa830);
            leaf = mix(leaf, hex(0xe8ffb0),
                       coverage(std::fabs(l.y) - 0.45f) * (1.0f - smoothstep(10.0f, 13.0f, std::fabs(l.x))));
            c = mix(c, leaf, leafCov);
            c = c + hex(0x7cff60) * (0.35f * (1.0f - leafCov) * std::exp(-std::max(0.0f, lens) / 2.5f));
            img.at(x, y) = c;
        }
    }
    // Name below the emblem with a warm glow.
    const float scale = 2.2f, hw = 0.55f * scale;
    const auto name = layoutCentred("Florvane", 64.0f, 54.0f, scale, 0.2f);
    shadeAroundInk(img, name, hw, hw + 8.0f, [&](int x, int y, float e) {
        Rgb& c = img.at(x, y);
        c = c + hex(0xffb040) * (0.45f * std::exp(-std::max(0.0f, e) / 2.2f) * (1.0f - coverage(e)));
        c = mix(c, hex(0xfff2c8), coverage(e));
    });
    // Everything fades to exact black at the border so the quad's edges never show.
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            const float edge = std::min(std::min(static_cast<float>(x), static_cast<float>(W - 1 - x)),
                                        std::min(static_cast<float>(y), static_cast<float>(H - 1 - y)));
            Rgb& c = img.at(x, y);
            c = c * smoothstep(0.0f, 5.0f, edge);
            if (std::max(c.r, std::max(c.g, c.b)) < 1.5f / 255.0f) c = Rgb{};
        }
    }
    return img;
}

}  // namespace pictures
