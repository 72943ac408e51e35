// Colours, the floating-point raster every picture is painted on, and the PPM writer.
#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace pictures {

inline float clamp01(float x) { return std::min(1.0f, std::max(0.0f, x)); }
inline float lerp(float a, float b, float t) { return a + (b - a) * t; }

inline float smoothstep(float e0, float e1, float x) {
    const float t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3.0f - 2.0f * t);
}

// Fraction of a pixel covered by a shape whose signed distance (pixels,
// negative inside) at the pixel centre is sd.
inline float coverage(float sd) { return clamp01(0.5f - sd); }

// Channels run 0..1; painting may overshoot, the writer clamps.
struct Rgb {
    float r = 0.0f, g = 0.0f, b = 0.0f;
};

inline Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Rgb operator-(Rgb a, Rgb b) { return {a.r - b.r, a.g - b.g, a.b - b.b}; }
inline Rgb operator*(Rgb a, float k) { return {a.r * k, a.g * k, a.b * k}; }
inline Rgb operator*(Rgb a, Rgb b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }

// The colour written as 0xRRGGBB.
constexpr Rgb hex(uint32_t v) {
    return {static_cast<float>((v >> 16) & 255) / 255.0f, static_cast<float>((v >> 8) & 255) / 255.0f,
            static_cast<float>(v & 255) / 255.0f};
}

inline Rgb mix(Rgb a, Rgb b, float t) { return a + (b - a) * t; }

// A picture being painted, row by row from the top.
struct Image {
    int w, h;
    std::vector<Rgb> px;

    Image(int width, int height, Rgb fill = {}) : w(width), h(height), px(static_cast<size_t>(width) * height, fill) {}

    Rgb& at(int x, int y) { return px[static_cast<size_t>(y) * w + x]; }
    const Rgb& at(int x, int y) const { return px[static_cast<size_t>(y) * w + x]; }

    void blend(int x, int y, Rgb c, float a) {
        if (x < 0 || y < 0 || x >= w || y >= h || a <= 0.0f) return;
        Rgb& d = at(x, y);
        d = mix(d, c, std::min(a, 1.0f));
    }

    // Blending on a torus keeps repeating textures seamless.
    void blendWrapped(int x, int y, Rgb c, float a) {
        x %= w;
        y %= h;
        blend(x < 0 ? x + w : x, y < 0 ? y + h : y, c, a);
    }
};

// Calls shade(pixel, u, v) for every pixel, (u, v) being the pixel centre in
// 0..1 across the image: textures are painted as one repeating tile.
template <class Shade>
void shadeTile(Image& img, Shade shade) {
    const float w = static_cast<float>(img.w), h = static_cast<float>(img.h);
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x)
            shade(img.at(x, y), (static_cast<float>(x) + 0.5f) / w, (static_cast<float>(y) + 0.5f) / h);
}

// Writes a binary PPM. Dithering by a fixed hash pattern hides banding in
// smooth gradients without costing reproducibility; pictures that must keep
// exact black (the additive logo) skip it.
bool writePpm(const std::filesystem::path& path, const Image& img, bool dither);

}  // namespace pictures
