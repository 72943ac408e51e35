// Paints every picture Florvane loads (textures, title, help) and writes them as binary PPM files.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "glyphs.h"

namespace {

constexpr float kPi = 3.14159265358979f;
constexpr float kTwoPi = 2.0f * kPi;

// ---------------------------------------------------------------------------
// Colour and small maths

struct Rgb {
    float r = 0.0f, g = 0.0f, b = 0.0f;
};

Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
Rgb operator-(Rgb a, Rgb b) { return {a.r - b.r, a.g - b.g, a.b - b.b}; }
Rgb operator*(Rgb a, float k) { return {a.r * k, a.g * k, a.b * k}; }
Rgb operator*(Rgb a, Rgb b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }

constexpr Rgb hex(uint32_t v) {
    return {static_cast<float>((v >> 16) & 255) / 255.0f, static_cast<float>((v >> 8) & 255) / 255.0f,
            static_cast<float>(v & 255) / 255.0f};
}

float clamp01(float x) { return std::min(1.0f, std::max(0.0f, x)); }
float lerp(float a, float b, float t) { return a + (b - a) * t; }
Rgb mix(Rgb a, Rgb b, float t) { return a + (b - a) * t; }

float smoothstep(float e0, float e1, float x) {
    const float t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3.0f - 2.0f * t);
}

// Fraction of a pixel covered by a shape whose signed distance (pixels,
// negative inside) at the pixel centre is sd.
float coverage(float sd) { return clamp01(0.5f - sd); }

struct Vec2 {
    float x = 0.0f, y = 0.0f;
};

Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
Vec2 operator*(Vec2 a, float k) { return {a.x * k, a.y * k}; }
float dot(Vec2 a, Vec2 b) { return a.x * b.x + a.y * b.y; }
float length(Vec2 a) { return std::sqrt(dot(a, a)); }

// Distance from p to the segment a-b; t receives the closest point's parameter.
float segmentDistance(Vec2 p, Vec2 a, Vec2 b, float* t = nullptr) {
    const Vec2 ab = b - a;
    const float len2 = dot(ab, ab);
    const float h = len2 > 1e-12f ? clamp01(dot(p - a, ab) / len2) : 0.0f;
    if (t) *t = h;
    return length(p - (a + ab * h));
}

// ---------------------------------------------------------------------------
// Images and output

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

uint32_t mixBits(uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352du;
    x ^= x >> 15;
    x *= 0x846ca68bu;
    x ^= x >> 16;
    return x;
}

uint32_t hash2(int a, int b, uint32_t seed) {
    return mixBits(static_cast<uint32_t>(a) * 0x9E3779B1u ^ mixBits(static_cast<uint32_t>(b) + seed * 0x85EBCA77u));
}

float hashUnit(int a, int b, uint32_t seed) { return static_cast<float>(hash2(a, b, seed) >> 8) / 16777216.0f; }

// Writes a binary PPM. Dithering by a fixed hash pattern hides banding in
// smooth gradients without costing reproducibility; pictures that must keep
// exact black (the additive logo) skip it.
bool writePpm(const std::filesystem::path& path, const Image& img, bool dither) {
    std::vector<unsigned char> bytes;
    bytes.reserve(img.px.size() * 3);
    for (int y = 0; y < img.h; ++y) {
        for (int x = 0; x < img.w; ++x) {
            const Rgb& c = img.at(x, y);
            const float channel[3] = {c.r, c.g, c.b};
            for (int k = 0; k < 3; ++k) {
                float v = clamp01(channel[k]) * 255.0f;
                if (dither) v += hashUnit(x * 3 + k, y, 0xD17Au) - 0.5f;
                bytes.push_back(static_cast<unsigned char>(std::min(255.0f, std::max(0.0f, v + 0.5f))));
            }
        }
    }
    std::ofstream out(path, std::ios::binary);
    if (!out) return false;
    out << "P6\n" << img.w << ' ' << img.h << "\n255\n";
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

// ---------------------------------------------------------------------------
// Deterministic randomness

class Rng {
public:
    explicit Rng(uint32_t seed) : state_(mixBits(seed * 0x9E3779B9u + 0x6A09E667u)) {}

    uint32_t next() {
        state_ += 0x9E3779B9u;
        return mixBits(state_);
    }
    float uniform() { return static_cast<float>(next() >> 8) / 16777216.0f; }
    float range(float lo, float hi) { return lo + (hi - lo) * uniform(); }
    int below(int n) { return static_cast<int>(next() % static_cast<uint32_t>(n)); }
    // Roughly normal with unit deviation; plenty for scattering things about.
    float normal() { return (uniform() + uniform() + uniform() + uniform() - 2.0f) * 1.7320508f; }

private:
    uint32_t state_;
};

// ---------------------------------------------------------------------------
// Periodic gradient noise

const std::array<Vec2, 256>& gradientTable() {
    static const std::array<Vec2, 256> table = [] {
        std::array<Vec2, 256> t{};
        for (int i = 0; i < 256; ++i) {
            const float a = kTwoPi * (static_cast<float>(i) + 0.5f) / 256.0f;
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

// Gradient noise repeating every periodX x periodY lattice cells; about -1..1.
float noise(float x, float y, int periodX, int periodY, uint32_t seed) {
    const auto& grad = gradientTable();
    const float fx = std::floor(x), fy = std::floor(y);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    const float dx = x - fx, dy = y - fy;
    auto corner = [&](int cx, int cy) {
        const Vec2 g = grad[hash2(wrapIndex(ix + cx, periodX), wrapIndex(iy + cy, periodY), seed) & 255u];
        return g.x * (dx - static_cast<float>(cx)) + g.y * (dy - static_cast<float>(cy));
    };
    const float u = fade(dx), v = fade(dy);
    return 1.41f * lerp(lerp(corner(0, 0), corner(1, 0), u), lerp(corner(0, 1), corner(1, 1), u), v);
}

// Fractal sum of noise; (x, y) are measured in cells of the first octave,
// which repeats every periodX x periodY cells. Every octave doubles the
// frequency and the period, so the sum repeats exactly like the first octave.
float fbm(float x, float y, int periodX, int periodY, int octaves, uint32_t seed, float gain = 0.5f) {
    float sum = 0.0f, amp = 1.0f, norm = 0.0f;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * noise(x, y, periodX, periodY, seed + static_cast<uint32_t>(o) * 1013u);
        norm += amp;
        x *= 2.0f;
        y *= 2.0f;
        periodX *= 2;
        periodY *= 2;
        amp *= gain;
    }
    return sum / norm;
}

// Fractal noise over a tile: (u, v) in 0..1 covers the tile once, `cells`
// lattice cells across for the first octave.
float tileFbm(float u, float v, int cells, int octaves, uint32_t seed, float gain = 0.5f) {
    return fbm(u * static_cast<float>(cells), v * static_cast<float>(cells), cells, cells, octaves, seed, gain);
}

// Distance from the nearest to the second nearest feature point of a
// jittered grid: close to zero along a network of cell borders.
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

// ---------------------------------------------------------------------------
// Tapered strokes: blades, needles, veins, twigs, dots

struct StrokePoint {
    float x, y, r;  // centre line and half width, pixels
};

// Where a covered pixel lies on a stroke: t runs 0..1 from the first point to
// the last, across -1..1 from one flank to the other.
struct StrokeHit {
    float t;
    float across;
};

// Paints a stroke of tapered round-capped segments, anti-aliased by distance.
// The colour callback receives a StrokeHit so strokes can be shaded along and
// across their length.
template <class ColourFn>
void paintStroke(Image& img, const std::vector<StrokePoint>& pts, float alpha, bool wrapped, ColourFn colour) {
    if (pts.empty()) return;
    float minX = 1e9f, minY = 1e9f, maxX = -1e9f, maxY = -1e9f;
    std::vector<float> along(pts.size(), 0.0f);
    for (size_t i = 0; i < pts.size(); ++i) {
        minX = std::min(minX, pts[i].x - pts[i].r);
        maxX = std::max(maxX, pts[i].x + pts[i].r);
        minY = std::min(minY, pts[i].y - pts[i].r);
        maxY = std::max(maxY, pts[i].y + pts[i].r);
        if (i > 0) along[i] = along[i - 1] + std::hypot(pts[i].x - pts[i - 1].x, pts[i].y - pts[i - 1].y);
    }
    const float total = std::max(along.back(), 1e-6f);
    const int x0 = static_cast<int>(std::floor(minX)) - 1, x1 = static_cast<int>(std::ceil(maxX)) + 1;
    const int y0 = static_cast<int>(std::floor(minY)) - 1, y1 = static_cast<int>(std::ceil(maxY)) + 1;
    for (int y = y0; y <= y1; ++y) {
        if (!wrapped && (y < 0 || y >= img.h)) continue;
        for (int x = x0; x <= x1; ++x) {
            if (!wrapped && (x < 0 || x >= img.w)) continue;
            const Vec2 p{static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f};
            float best = 1e9f;
            StrokeHit hit{0.0f, 0.0f};
            const size_t segs = pts.size() > 1 ? pts.size() - 1 : 1;
            for (size_t i = 0; i < segs; ++i) {
                const StrokePoint& a = pts[i];
                const StrokePoint& b = pts[std::min(i + 1, pts.size() - 1)];
                float h = 0.0f;
                const float d = segmentDistance(p, {a.x, a.y}, {b.x, b.y}, &h);
                const float r = lerp(a.r, b.r, h);
                const float sd = d - r;
                if (sd < best) {
                    best = sd;
                    const float len = std::hypot(b.x - a.x, b.y - a.y);
                    const float side =
                        len > 1e-6f ? ((b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x)) / len : 0.0f;
                    hit = {(along[i] + h * len) / total, std::max(-1.0f, std::min(1.0f, side / std::max(r, 1e-3f)))};
                }
            }
            const float cov = coverage(best);
            if (cov <= 0.0f) continue;
            if (wrapped)
                img.blendWrapped(x, y, colour(hit), cov * alpha);
            else
                img.blend(x, y, colour(hit), cov * alpha);
        }
    }
}

void paintSolidStroke(Image& img, const std::vector<StrokePoint>& pts, Rgb c, float alpha, bool wrapped) {
    paintStroke(img, pts, alpha, wrapped, [c](StrokeHit) { return c; });
}

// Samples a quadratic curve from p0 through control c to p1, tapering r0 -> r1.
std::vector<StrokePoint> curve(Vec2 p0, Vec2 c, Vec2 p1, float r0, float r1, int steps = 8) {
    std::vector<StrokePoint> pts;
    for (int i = 0; i <= steps; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(steps);
        const float a = (1 - t) * (1 - t), b = 2 * (1 - t) * t, d = t * t;
        pts.push_back({a * p0.x + b * c.x + d * p1.x, a * p0.y + b * c.y + d * p1.y, lerp(r0, r1, t)});
    }
    return pts;
}

std::vector<StrokePoint> offsetStroke(std::vector<StrokePoint> pts, float dx, float dy, float dr) {
    for (auto& p : pts) {
        p.x += dx;
        p.y += dy;
        p.r += dr;
    }
    return pts;
}

// ---------------------------------------------------------------------------
// Closed smooth outlines (wings)

struct Outline {
    std::vector<Vec2> pts;

    // Signed distance in pixels, negative inside.
    float signedDistance(Vec2 p) const {
        float best = 1e9f;
        bool inside = false;
        for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
            const Vec2 a = pts[j], b = pts[i];
            best = std::min(best, segmentDistance(p, a, b));
            if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) inside = !inside;
        }
        return inside ? -best : best;
    }
};

// Closed Catmull-Rom spline through the control points.
Outline smoothOutline(const std::vector<Vec2>& ctrl, int stepsPerSpan = 12) {
    Outline out;
    const size_t n = ctrl.size();
    for (size_t i = 0; i < n; ++i) {
        const Vec2 p0 = ctrl[(i + n - 1) % n], p1 = ctrl[i], p2 = ctrl[(i + 1) % n], p3 = ctrl[(i + 2) % n];
        for (int s = 0; s < stepsPerSpan; ++s) {
            const float t = static_cast<float>(s) / static_cast<float>(stepsPerSpan);
            const float t2 = t * t, t3 = t2 * t;
            const Vec2 q = (p1 * 2.0f + (p2 - p0) * t + (p0 * 2.0f - p1 * 5.0f + p2 * 4.0f - p3) * t2 +
                            (p1 * 3.0f - p0 - p2 * 3.0f + p3) * t3) *
                           0.5f;
            out.pts.push_back(q);
        }
    }
    return out;
}

// ---------------------------------------------------------------------------
// Text: the bitmap glyphs are turned into round-capped strokes joining
// neighbouring ink cells, so letters stay smooth at any scale and a distance
// field gives anti-aliasing, shadows and glow for free.

struct Segment {
    Vec2 a, b;
};

struct GlyphShape {
    std::vector<Segment> strokes;  // in cell units, ink cell centres at (x + 0.5, y + 0.5)
    int left = 0;                  // first and last inked columns
    int right = -1;
};

GlyphShape buildGlyph(int c) {
    using glyphs::ink;
    GlyphShape g;
    g.left = glyphs::kCellW;
    for (int y = 0; y < glyphs::kCellH; ++y) {
        for (int x = 0; x < glyphs::kCellW; ++x) {
            if (!ink(c, x, y)) continue;
            g.left = std::min(g.left, x);
            g.right = std::max(g.right, x);
            const Vec2 p{static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f};
            bool linked = false;
            auto link = [&](int dx, int dy) {
                g.strokes.push_back({p, {p.x + static_cast<float>(dx), p.y + static_cast<float>(dy)}});
                linked = true;
            };
            if (ink(c, x + 1, y)) link(1, 0);
            if (ink(c, x, y + 1)) link(0, 1);
            // Diagonals only where no orthogonal path turns the corner, which
            // keeps slopes thin and corners square.
            if (ink(c, x + 1, y + 1) && !ink(c, x + 1, y) && !ink(c, x, y + 1)) link(1, 1);
            if (ink(c, x - 1, y + 1) && !ink(c, x - 1, y) && !ink(c, x, y + 1)) link(-1, 1);
            const bool touched = ink(c, x - 1, y) || ink(c, x, y - 1) ||
                                 (ink(c, x - 1, y - 1) && !ink(c, x - 1, y) && !ink(c, x, y - 1)) ||
                                 (ink(c, x + 1, y - 1) && !ink(c, x + 1, y) && !ink(c, x, y - 1));
            if (!linked && !touched) g.strokes.push_back({p, p});
        }
    }
    return g;
}

const GlyphShape& glyph(char ch) {
    static const std::vector<GlyphShape> all = [] {
        std::vector<GlyphShape> v;
        for (int c = glyphs::kFirst; c <= glyphs::kLast; ++c) v.push_back(buildGlyph(c));
        return v;
    }();
    int c = static_cast<unsigned char>(ch);
    if (c < glyphs::kFirst || c > glyphs::kLast) c = '?';
    return all[static_cast<size_t>(c - glyphs::kFirst)];
}

constexpr float kSpaceWidth = 3.0f;  // cell units
constexpr float kLetterGap = 1.0f;

// Advance of one character in cell units; letters are spaced by their ink.
float advance(char ch, float tracking) {
    const GlyphShape& g = glyph(ch);
    if (g.right < g.left) return kSpaceWidth + tracking;
    return static_cast<float>(g.right - g.left + 1) + kLetterGap + tracking;
}

float textWidth(const std::string& s, float scale, float tracking = 0.0f) {
    float w = 0.0f;
    for (char ch : s) w += advance(ch, tracking);
    if (!s.empty()) w -= kLetterGap + tracking;
    return w * scale;
}

// Lays out text with its left edge at x and its baseline at y (pixels);
// returns stroke centre lines in pixels.
std::vector<Segment> layoutText(const std::string& s, float x, float baseline, float scale, float tracking = 0.0f) {
    std::vector<Segment> out;
    const float top = baseline - 7.0f * scale;
    float pen = x;
    for (char ch : s) {
        const GlyphShape& g = glyph(ch);
        const float ox = pen - static_cast<float>(g.left) * scale;
        for (const Segment& sgm : g.strokes)
            out.push_back(
                {{ox + sgm.a.x * scale, top + sgm.a.y * scale}, {ox + sgm.b.x * scale, top + sgm.b.y * scale}});
        pen += advance(ch, tracking) * scale;
    }
    return out;
}

std::vector<Segment> layoutCentred(const std::string& s, float centreX, float baseline, float scale,
                                   float tracking = 0.0f) {
    return layoutText(s, centreX - 0.5f * textWidth(s, scale, tracking), baseline, scale, tracking);
}

// Distance (pixels) from every pixel centre to the nearest stroke centre
// line, capped at `reach`.
std::vector<float> distanceField(int w, int h, const std::vector<Segment>& segs, float reach) {
    std::vector<float> d(static_cast<size_t>(w) * h, reach);
    for (const Segment& s : segs) {
        const int x0 = std::max(0, static_cast<int>(std::floor(std::min(s.a.x, s.b.x) - reach)));
        const int x1 = std::min(w - 1, static_cast<int>(std::ceil(std::max(s.a.x, s.b.x) + reach)));
        const int y0 = std::max(0, static_cast<int>(std::floor(std::min(s.a.y, s.b.y) - reach)));
        const int y1 = std::min(h - 1, static_cast<int>(std::ceil(std::max(s.a.y, s.b.y) + reach)));
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                const float dist =
                    segmentDistance({static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f}, s.a, s.b);
                float& cell = d[static_cast<size_t>(y) * w + x];
                cell = std::min(cell, dist);
            }
        }
    }
    return d;
}

// Inks text strokes of the given half width (pixels) in a flat colour.
void drawText(Image& img, const std::vector<Segment>& segs, float halfWidth, Rgb colour) {
    const std::vector<float> d = distanceField(img.w, img.h, segs, halfWidth + 2.0f);
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x)
            img.blend(x, y, colour, coverage(d[static_cast<size_t>(y) * img.w + x] - halfWidth));
}

// Soft shadow under text: darkens within `blur` pixels of the ink.
void drawTextShadow(Image& img, const std::vector<Segment>& segs, float halfWidth, float blur, Rgb colour,
                    float strength) {
    const std::vector<float> d = distanceField(img.w, img.h, segs, halfWidth + blur + 1.0f);
    for (int y = 0; y < img.h; ++y) {
        for (int x = 0; x < img.w; ++x) {
            const float e = d[static_cast<size_t>(y) * img.w + x] - halfWidth;
            const float a = 1.0f - smoothstep(-1.0f, blur, e);
            img.blend(x, y, colour, a * strength);
        }
    }
}

// ---------------------------------------------------------------------------
// Grass: a mat of blades over soil, repeating seamlessly.

Image makeGrass() {
    constexpr int N = 256;
    Image img(N, N);
    for (int y = 0; y < N; ++y) {
        for (int x = 0; x < N; ++x) {
            const float u = (static_cast<float>(x) + 0.5f) / N, v = (static_cast<float>(y) + 0.5f) / N;
            const float broad = tileFbm(u, v, 4, 5, 11u);
            const float fine = tileFbm(u, v, 32, 3, 12u);
            const Rgb soil = mix(hex(0x2e2416), hex(0x5b4a2e), clamp01(0.5f + fine));
            const Rgb moss = mix(hex(0x1d3814), hex(0x3b5f1f), clamp01(0.5f + 1.5f * fine));
            img.at(x, y) = mix(soil, moss, smoothstep(-0.25f, 0.25f, broad + 0.6f * fine + 0.1f));
        }
    }

    const Rgb greens[] = {hex(0x4f8a2a), hex(0x5e9a30), hex(0x3f7a25), hex(0x6fa83a),
                          hex(0x87b444), hex(0x2f6a22), hex(0x77a035), hex(0x4a7f2c)};
    const Rgb straw = hex(0xb0a060);
    Rng rng(7u);
    constexpr int kBlades = 2400;
    for (int i = 0; i < kBlades; ++i) {
        const float depth = static_cast<float>(i) / kBlades;  // later blades lie on top and catch more light
        const Vec2 root{rng.range(0.0f, N), rng.range(0.0f, N)};
        const float angle = -0.5f * kPi + 0.9f * rng.normal();
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
    for (int y = 0; y < N; ++y) {
        for (int x = 0; x < N; ++x) {
            const float u = (static_cast<float>(x) + 0.5f) / N, v = (static_cast<float>(y) + 0.5f) / N;
            const float t = tileFbm(u, v, 2, 3, 21u);
            Rgb& c = img.at(x, y);
            c = c * (1.0f + 0.12f * t);
            c = mix(c, c * hex(0xfff0c0), clamp01(0.4f * tileFbm(u, v, 3, 2, 22u)));
        }
    }
    return img;
}

// ---------------------------------------------------------------------------
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
                    const float az = kTwoPi * u, elev = (0.5f - t) * kPi;
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
                        const float n = fbm(q.x + 50.0f, q.y + 50.0f, 4096, 4096, 6, 31u);
                        const float lit = fbm(q.x + 50.3f, q.y + 49.6f, 4096, 4096, 6, 31u);
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
                        const float n = fbm(q.x + 20.0f, q.y + 20.0f, 4096, 4096, 5, 41u);
                        const float fields = fbm(q.x * 3.0f + 7.0f, q.y * 3.0f, 4096, 4096, 3, 42u);
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

// ---------------------------------------------------------------------------
// Juniper: sprigs of blue-green needles in threes, a few dusky berries.

Image makeJuniper() {
    constexpr int N = 128;
    Image img(N, N);
    for (int y = 0; y < N; ++y) {
        for (int x = 0; x < N; ++x) {
            const float u = (static_cast<float>(x) + 0.5f) / N, v = (static_cast<float>(y) + 0.5f) / N;
            const float n = tileFbm(u, v, 8, 4, 51u);
            img.at(x, y) = mix(hex(0x0b1a15), hex(0x21402f), clamp01(0.5f + n));
        }
    }

    Rng rng(53u);
    const Rgb needleDark = hex(0x2a5646), needleLight = hex(0x5a8f78), bloom = hex(0xa6c8bc);
    constexpr int kSprigs = 150;
    int berriesLeft = 9;
    for (int i = 0; i < kSprigs; ++i) {
        const float depth = static_cast<float>(i) / kSprigs;
        const Vec2 start{rng.range(0.0f, N), rng.range(0.0f, N)};
        const float heading = rng.range(0.0f, kTwoPi);
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
            const float a = (1 - t) * (1 - t), b = 2 * (1 - t) * t, d = t * t;
            const Vec2 at{a * start.x + b * ctrl.x + d * end.x, a * start.y + b * ctrl.y + d * end.y};
            const Vec2 tangent = (ctrl - start) * (2.0f * (1.0f - t)) + (end - ctrl) * (2.0f * t);
            const float base = std::atan2(tangent.y, tangent.x);
            const float spin = static_cast<float>(k) * 1.1f;
            for (int m = 0; m < 3; ++m) {
                // Three needles per whorl, splayed forward; the one pointing
                // at the viewer looks short.
                const float phase = spin + static_cast<float>(m) * kTwoPi / 3.0f;
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

// ---------------------------------------------------------------------------
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
                float best = 1e9f;
                for (size_t i = 0; i + 1 < vs.size(); ++i) {
                    float h = 0.0f;
                    const float d = segmentDistance(p, {vs[i].x, vs[i].y}, {vs[i + 1].x, vs[i + 1].y}, &h);
                    best = std::min(best, d - lerp(vs[i].r, vs[i + 1].r, h));
                }
                // Slight shadow beside each vein gives the blade some relief.
                c = c * (1.0f - 0.12f * (1.0f - smoothstep(0.0f, 2.5f, best)));
                c = mix(c, vein, 0.8f * coverage(best));
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

// ---------------------------------------------------------------------------
// Butterflies: mirrored wings either side of a body that runs down the
// middle column, head at the top.

struct WingShape {
    Outline fore, hind;
    Vec2 foreRoot, hindRoot;
    std::vector<Segment> foreVeins, hindVeins;
};

// What a wing pattern knows about a point: lx is the distance from the body,
// depth how far inside the outline (pixels), vein the distance to the nearest
// vein, spoke the angle around the wing root and reach 0..1 from root to edge.
struct WingPoint {
    bool fore;
    float lx, y;
    float depth;
    float edge;  // like depth, but measured from the outer margin only
    float vein;
    float spoke;
    float reach;
};

// Appends a quadratic curve from a through control c to b as short segments.
void addCurve(std::vector<Segment>& out, Vec2 a, Vec2 c, Vec2 b, int steps = 8) {
    Vec2 prev = a;
    for (int i = 1; i <= steps; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(steps);
        const Vec2 q = a * ((1 - t) * (1 - t)) + c * (2 * (1 - t) * t) + b * (t * t);
        out.push_back({prev, q});
        prev = q;
    }
}

// Wing veins the way they grow: a stem from the root into an oval cell,
// from whose rim gently curving veins run out to the margin.
std::vector<Segment> growVeins(const Outline& o, Vec2 root, Vec2 cell, Vec2 cellRadii, float cellTilt, float a0,
                               float a1, int count) {
    std::vector<Segment> v;
    const Vec2 ax{std::cos(cellTilt), std::sin(cellTilt)}, ay{-ax.y, ax.x};
    auto rim = [&](float a) { return cell + ax * (cellRadii.x * std::cos(a)) + ay * (cellRadii.y * std::sin(a)); };
    for (int i = 0; i < 24; ++i)
        v.push_back({rim(kTwoPi * static_cast<float>(i) / 24.0f), rim(kTwoPi * static_cast<float>(i + 1) / 24.0f)});
    const Vec2 inner = rim(kPi);
    addCurve(v, root, (root + inner) * 0.5f + Vec2{0.0f, -2.0f}, inner, 4);
    for (int i = 0; i < count; ++i) {
        const float a = lerp(a0, a1, (static_cast<float>(i) + 0.5f) / static_cast<float>(count));
        const Vec2 dir{std::cos(a), std::sin(a)};
        // Leave the cell where its rim faces this direction.
        const Vec2 local{dot(dir, ax) / cellRadii.x, dot(dir, ay) / cellRadii.y};
        const Vec2 from = rim(std::atan2(local.y, local.x));
        float r = 1.0f;
        while (r < 90.0f && o.signedDistance(from + dir * r) < 0.0f) r += 0.5f;
        const Vec2 to = from + dir * (r + 1.5f);  // just past the edge so the vein meets it
        const Vec2 bend{-dir.y, dir.x};
        addCurve(v, from, (from + to) * 0.5f + bend * (0.08f * r), to);
    }
    return v;
}

WingShape makeWingShape(const std::vector<Vec2>& fore, const std::vector<Vec2>& hind) {
    WingShape s;
    s.fore = smoothOutline(fore);
    s.hind = smoothOutline(hind);
    s.foreRoot = {2.0f, 26.0f};
    s.hindRoot = {2.0f, 60.0f};
    s.foreVeins = growVeins(s.fore, s.foreRoot, {20.0f, 27.0f}, {13.0f, 5.0f}, -0.35f, -1.45f, 1.5f, 8);
    s.hindVeins = growVeins(s.hind, s.hindRoot, {17.0f, 74.0f}, {11.0f, 5.0f}, 0.85f, -0.45f, 2.35f, 7);
    addCurve(s.hindVeins, s.hindRoot, {5.0f, 88.0f}, {9.0f, 118.0f});  // along the inner edge
    return s;
}

WingPoint wingPoint(const WingShape& s, bool fore, Vec2 p) {
    const Outline& o = fore ? s.fore : s.hind;
    const Vec2 root = fore ? s.foreRoot : s.hindRoot;
    WingPoint w{};
    w.fore = fore;
    w.lx = p.x;
    w.y = p.y;
    w.depth = -o.signedDistance(p);
    w.edge = w.depth + 12.0f * (1.0f - smoothstep(4.0f, 14.0f, p.x));
    w.vein = 1e9f;
    for (const Segment& v : fore ? s.foreVeins : s.hindVeins) w.vein = std::min(w.vein, segmentDistance(p, v.a, v.b));
    w.spoke = std::atan2(p.y - root.y, p.x - root.x);
    const float fromRoot = length(p - root);
    w.reach = fromRoot / std::max(fromRoot + w.depth, 1e-3f);
    return w;
}

struct Butterfly {
    std::vector<Vec2> fore, hind;
    Rgb background, body, bodyLight;
};

template <class Pattern>
Image paintButterfly(const Butterfly& b, Pattern pattern) {
    constexpr int N = 128;
    const WingShape shape = makeWingShape(b.fore, b.hind);
    Image img(N, N, b.background);
    for (int y = 0; y < N; ++y) {
        for (int x = 0; x < N; ++x) {
            const Vec2 p{std::fabs(static_cast<float>(x) + 0.5f - 0.5f * N), static_cast<float>(y) + 0.5f};
            // A faint shadow of the wings on the backing keeps the silhouette soft.
            const float shadowF = shape.fore.signedDistance(p), shadowH = shape.hind.signedDistance(p);
            const float near = std::min(shadowF, shadowH);
            Rgb c = b.background * (1.0f - 0.35f * (1.0f - smoothstep(0.0f, 4.0f, near)));
            const WingPoint hind = wingPoint(shape, false, p);
            c = mix(c, pattern(hind), coverage(-hind.depth));
            const WingPoint fore = wingPoint(shape, true, p);
            // The forewing's trailing edge casts a little shade onto the hindwing.
            c = c * (1.0f - 0.3f * clamp01(1.0f - std::fabs(fore.depth + 1.5f) / 2.0f) * coverage(-hind.depth));
            c = mix(c, pattern(fore), coverage(-fore.depth));
            img.at(x, y) = c;
        }
    }

    // Body: head, furry thorax, ringed abdomen, clubbed antennae.
    const float cx = 0.5f * N;
    for (int side = -1; side <= 1; side += 2) {
        const float s = static_cast<float>(side);
        const auto antenna = curve({cx + s * 1.5f, 9.0f}, {cx + s * 4.0f, 2.5f}, {cx + s * 14.0f, 2.2f}, 0.8f, 0.6f);
        paintSolidStroke(img, antenna, mix(b.body, b.bodyLight, 0.3f), 1.0f, false);
        paintSolidStroke(img, {{cx + s * 14.0f, 2.2f, 1.5f}}, mix(b.body, b.bodyLight, 0.6f), 1.0f, false);
    }
    const auto abdomen = std::vector<StrokePoint>{{cx, 38.0f, 3.0f}, {cx, 70.0f, 2.9f}, {cx, 104.0f, 1.6f}};
    paintStroke(img, abdomen, 1.0f, false, [&](StrokeHit h) {
        const float ring = 0.5f + 0.5f * std::cos(h.t * 66.0f * kPi / 6.0f);
        const float round = 1.0f - 0.5f * h.across * h.across;
        return mix(b.body, b.bodyLight, 0.35f * ring) * round;
    });
    const auto thorax = std::vector<StrokePoint>{{cx, 18.0f, 4.0f}, {cx, 34.0f, 3.8f}};
    paintStroke(img, thorax, 1.0f, false, [&](StrokeHit h) {
        const float round = 1.0f - 0.45f * h.across * h.across;
        return mix(b.body, b.bodyLight, 0.45f * (1.0f - std::fabs(h.across))) * round;
    });
    for (int y = 14; y < 40; ++y) {
        for (int x = static_cast<int>(cx) - 6; x < static_cast<int>(cx) + 6; ++x) {
            const float fx = (static_cast<float>(x) + 0.5f - cx) / 5.0f,
                        fy = (static_cast<float>(y) + 0.5f - 26.0f) / 12.0f;
            if (fx * fx + fy * fy < 1.0f && hashUnit(x, y, 71u) < 0.35f) img.blend(x, y, b.bodyLight, 0.35f);
        }
    }
    paintStroke(img, {{cx, 11.0f, 3.6f}}, 1.0f, false, [&](StrokeHit) { return b.body; });
    for (int side = -1; side <= 1; side += 2)
        paintSolidStroke(img, {{cx + static_cast<float>(side) * 2.2f, 10.0f, 1.4f}}, hex(0x5a5040), 1.0f, false);
    return img;
}

// Shared finishing for every wing: a dark rim that separates the wing from
// the backing, and fine scale texture.
Rgb finishWing(const WingPoint& w, Rgb c, uint32_t seed) {
    const float grain = fbm(w.lx * 0.9f, w.y * 0.9f, 4096, 4096, 2, seed);
    c = c * (1.0f + 0.07f * grain);
    return mix(c, c * 0.5f, 1.0f - smoothstep(0.0f, 1.0f, w.depth));
}

// Dots spaced along the wing margin at a given depth below it.
float marginDots(const WingPoint& w, float depthAt, float radius, float spokesPerRadian, float offset = 0.0f) {
    const float cell = w.spoke * spokesPerRadian + offset;
    const float along = (cell - std::floor(cell) - 0.5f) / spokesPerRadian;  // radians from the dot centre
    const float arc = along * std::hypot(w.lx, 40.0f) * 0.9f;                // rough pixels along the margin
    return std::hypot(arc, w.edge - depthAt) - radius;
}

Image makeButterflyOrange() {
    Butterfly b;
    b.fore = {{2, 22}, {12, 12}, {30, 6}, {50, 3}, {62, 6}, {62, 18}, {56, 34}, {46, 48}, {30, 56}, {12, 56}, {3, 44}};
    b.hind = {{3, 54},   {16, 56},  {34, 60},  {50, 70}, {56, 86}, {50, 102},
              {38, 114}, {24, 118}, {12, 112}, {5, 96},  {2, 76}};
    b.background = hex(0x1e1d1c);
    b.body = hex(0x141212);
    b.bodyLight = hex(0xf2f0ea);
    return paintButterfly(b, [](const WingPoint& w) {
        Rgb c = mix(hex(0xd8621a), hex(0xf6a23c), smoothstep(0.1f, 0.8f, w.reach));
        const float veinW = lerp(0.6f, 1.5f, w.reach);
        c = mix(c, hex(0x16110e), coverage(w.vein - veinW));
        const float border = w.fore ? 6.5f : 7.0f;
        c = mix(c, hex(0x16110e), coverage(w.edge - border));
        // The forewing tip is black with a bar of pale spots.
        if (w.fore) {
            const float tip = std::hypot(w.lx - 60.0f, w.y - 6.0f) - 17.0f;
            c = mix(c, hex(0x16110e), coverage(tip));
            for (int i = 0; i < 4; ++i) {
                const Vec2 sc{44.0f + 4.6f * static_cast<float>(i), 8.5f + 3.8f * static_cast<float>(i)};
                const float spot = std::hypot(w.lx - sc.x, w.y - sc.y) - (i == 0 ? 1.8f : 1.5f);
                c = mix(c, i < 2 ? hex(0xf8ede0) : hex(0xf4a640), coverage(spot));
            }
        }
        c = mix(c, hex(0xf8f2e8), coverage(marginDots(w, 2.2f, 0.95f, 9.0f)));
        c = mix(c, hex(0xf8f2e8), coverage(marginDots(w, 4.8f, 0.8f, 9.0f, 0.5f)));
        return finishWing(w, c, 101u);
    });
}

Image makeButterflyYellow() {
    Butterfly b;
    // Pointed wing tips, like a leaf.
    b.fore = {{2, 24}, {14, 12}, {36, 5}, {58, 1}, {60, 14}, {56, 30}, {48, 44}, {32, 54}, {14, 56}, {3, 44}};
    b.hind = {{3, 54},   {18, 56},  {38, 60},  {54, 72}, {60, 84}, {54, 98},
              {42, 112}, {26, 120}, {12, 114}, {5, 98},  {2, 76}};
    b.background = hex(0x1d1e1b);
    b.body = hex(0x3a3a2a);
    b.bodyLight = hex(0xd9d6a8);
    return paintButterfly(b, [](const WingPoint& w) {
        Rgb c = mix(hex(0xd4dc78), hex(0xfae86e), smoothstep(0.05f, 0.5f, w.reach));
        c = mix(c, hex(0xfdf3a8), 0.6f * smoothstep(0.5f, 1.0f, w.reach));
        c = mix(c, hex(0xb8a858), 0.55f * coverage(w.vein - lerp(0.3f, 0.8f, w.reach)));
        const Vec2 spotAt = w.fore ? Vec2{26.0f, 32.0f} : Vec2{22.0f, 80.0f};
        const float spot = std::hypot(w.lx - spotAt.x, w.y - spotAt.y) - (w.fore ? 2.6f : 3.2f);
        c = mix(c, hex(0xe88a2a), coverage(spot));
        c = mix(c, hex(0xc0543a), 0.7f * coverage(marginDots(w, 1.6f, 0.7f, 8.0f)));
        return finishWing(w, c, 102u);
    });
}

Image makeButterflyBlue() {
    Butterfly b;
    // Rounded wings.
    b.fore = {{2, 22}, {14, 10}, {34, 4}, {54, 4}, {62, 14}, {60, 30}, {50, 46}, {32, 56}, {12, 56}, {3, 44}};
    b.hind = {{3, 54},   {20, 56},  {40, 60},  {54, 70}, {58, 86}, {52, 102},
              {40, 114}, {24, 118}, {11, 110}, {4, 94},  {2, 74}};
    b.background = hex(0x1b1c20);
    b.body = hex(0x1a1c26);
    b.bodyLight = hex(0x8a96b8);
    return paintButterfly(b, [](const WingPoint& w) {
        Rgb c = mix(hex(0x3a4f86), hex(0x3f86f0), smoothstep(0.05f, 0.45f, w.reach));
        c = mix(c, hex(0x8cc4ff),
                0.35f * smoothstep(0.45f, 0.75f, w.reach) * (1.0f - smoothstep(0.75f, 0.9f, w.reach)));
        c = mix(c, hex(0x1a2a5a), 0.6f * coverage(w.vein - 0.5f));
        const float border = w.fore ? 7.5f : 6.0f;
        c = mix(c, hex(0x0d0f14), smoothstep(1.5f, -1.0f, w.edge - border));
        // Chequered white fringe.
        const float fringe = coverage(w.edge - 2.3f);
        const float check = std::sin(w.spoke * 40.0f) > -0.2f ? 1.0f : 0.25f;
        c = mix(c, hex(0xf0f2f6), fringe * check);
        return finishWing(w, c, 103u);
    });
}

Image makeButterflyWhite() {
    Butterfly b;
    b.fore = {{2, 22}, {12, 12}, {32, 6}, {52, 4}, {62, 10}, {62, 24}, {54, 40}, {40, 52}, {22, 56}, {8, 54}, {3, 42}};
    b.hind = {{3, 54},   {18, 55},  {36, 58},  {50, 68}, {56, 84}, {50, 100},
              {38, 110}, {24, 114}, {12, 108}, {5, 92},  {2, 72}};
    b.background = hex(0x1c1c1d);
    b.body = hex(0x121212);
    b.bodyLight = hex(0x9a9a96);
    return paintButterfly(b, [](const WingPoint& w) {
        Rgb c = mix(hex(0xe6e2d2), hex(0xfaf8ef), smoothstep(0.05f, 0.35f, w.reach));
        c = mix(c, hex(0x3a3a3a), 0.8f * (1.0f - smoothstep(0.05f, 0.22f, w.reach)));  // dark hairy base
        c = mix(c, hex(0x9c9c94), 0.25f * coverage(w.vein - 0.45f));
        if (w.fore) {
            // Glassy grey outer margin and black spots.
            c = mix(c, hex(0xb4b8b8), 0.75f * coverage(w.edge - 7.0f));
            c = mix(c, hex(0x7a7e80), 0.8f * coverage(marginDots(w, 5.0f, 1.6f, 7.0f)));
            const Vec2 spots[] = {{24.0f, 26.0f}, {36.0f, 18.0f}, {40.0f, 38.0f}};
            const float radii[] = {3.2f, 3.4f, 3.0f};
            for (int i = 0; i < 3; ++i) {
                const float d = std::hypot(w.lx - spots[i].x, w.y - spots[i].y) - radii[i];
                c = mix(c, hex(0x17171a), coverage(d));
            }
        } else {
            // Eyespots: black ring, red iris, white pupil.
            const Vec2 eyes[] = {{30.0f, 76.0f}, {28.0f, 96.0f}};
            const float radii[] = {8.0f, 6.5f};
            for (int i = 0; i < 2; ++i) {
                const float r = std::hypot(w.lx - eyes[i].x, w.y - eyes[i].y);
                c = mix(c, hex(0x141416), coverage(r - radii[i]));
                c = mix(c, mix(hex(0xd8202a), hex(0xf04a3a), clamp01(1.0f - r / radii[i])),
                        coverage(r - radii[i] + 1.8f));
                c = mix(c, hex(0xfbf6ee), coverage(r - radii[i] * 0.3f));
            }
            c = mix(c, hex(0x2a2a2c), coverage(marginDots(w, 3.5f, 1.4f, 6.0f)));
        }
        return finishWing(w, c, 104u);
    });
}

// ---------------------------------------------------------------------------
// Title card: hills at dusk under the name.

// Height of a ridge line (pixels from the top) at column x.
float ridge(float x, float base, float amp, float freq, uint32_t seed) {
    return base - amp * fbm(x * freq, 0.37f * static_cast<float>(seed % 7u), 4096, 4096, 5, seed);
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
        for (int x = 0; x < img.w; ++x) {
            const float top = ridge(static_cast<float>(x) + 0.5f, bases[layer] * H, amps[layer] * H * 2.2f,
                                    (3.0f + 1.5f * static_cast<float>(layer)) / W, s);
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
                const float top = ridge(x, bases[layer] * H, amps[layer] * H * 2.2f, (3.0f + 1.5f * layer) / W, s);
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

Image makeTitle() {
    Image img(512, 256);
    paintDuskLandscape(img, 81u);
    const std::string name = "Florvane";
    const float scale = 9.0f, baseline = 122.0f;
    const auto title = layoutCentred(name, 256.0f, baseline, scale, 0.15f);
    const float hw = 0.55f * scale;
    drawTextShadow(img, layoutCentred(name, 259.0f, baseline + 4.0f, scale, 0.15f), hw, 7.0f, hex(0x05060c), 0.7f);
    // Gradient fill from warm cream to gold, with a soft outer glow.
    const std::vector<float> d = distanceField(img.w, img.h, title, hw + 12.0f);
    const float top = baseline - 7.0f * scale;
    for (int y = 0; y < img.h; ++y) {
        for (int x = 0; x < img.w; ++x) {
            const float e = d[static_cast<size_t>(y) * img.w + x] - hw;
            const float fy = clamp01((static_cast<float>(y) - top) / (7.0f * scale));
            img.blend(x, y, hex(0xffd890), 0.22f * (1.0f - smoothstep(0.0f, 11.0f, e)));
            Rgb fill = mix(hex(0xfff8e6), hex(0xf0b85a), smoothstep(0.2f, 1.0f, fy));
            fill = mix(fill, hex(0xffffff), 0.5f * clamp01(1.0f + e / 2.0f) * (1.0f - fy));  // lit upper rim
            img.blend(x, y, fill, coverage(e));
        }
    }
    const std::string sub = "procedural landscape";
    const auto subtitle = layoutCentred(sub, 256.0f, 160.0f, 2.4f, 0.8f);
    drawTextShadow(img, layoutCentred(sub, 257.0f, 161.5f, 2.4f, 0.8f), 1.2f, 3.0f, hex(0x05060c), 0.6f);
    drawText(img, subtitle, 1.2f, hex(0xd6def2));
    return img;
}

// ---------------------------------------------------------------------------
// Hint and help: light text on dark panels.

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

Image makeF1Hint() {
    Image img(256, 32);
    paintPanel(img, hex(0x1d2330), hex(0x10141c), hex(0x485572));
    const float scale = 2.4f, hw = 0.5f * scale;
    const std::string key = "F1", rest = " - help";
    const float total = textWidth(key + rest, scale);
    const float x = std::round(128.0f - 0.5f * total), baseline = 22.5f;
    const float keyAdvance = (textWidth(key, scale) / scale + kLetterGap) * scale;
    drawTextShadow(img, layoutText(key + rest, x + 1.0f, baseline + 1.0f, scale), hw, 2.0f, hex(0x000000), 0.6f);
    drawText(img, layoutText(key, x, baseline, scale), hw, hex(0xffd27a));
    drawText(img, layoutText(rest, x + keyAdvance, baseline, scale), hw, hex(0xeef1f6));
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
    const float dashWidth = (textWidth(dash, scale) / scale + kLetterGap) * scale;
    float widest = 0.0f;
    for (const Entry& e : entries) {
        float w = textWidth(e.what, scale);
        if (e.key2) w += 6.0f * kSpaceWidth * scale + textWidth(std::string(e.key2) + dash + e.what2, scale);
        widest = std::max(widest, keyColumn + dashWidth + w);
    }
    const float left = std::floor(0.5f * (512.0f - widest));
    const float keyRight = left + keyColumn;
    float baseline = 43.0f;
    for (const Entry& e : entries) {
        std::vector<Segment> keys = layoutText(e.key, keyRight - textWidth(e.key, scale), baseline, scale);
        std::vector<Segment> dashes = layoutText(dash, keyRight + kLetterGap * scale, baseline, scale);
        std::vector<Segment> words = layoutText(e.what, keyRight + dashWidth, baseline, scale);
        if (e.key2) {
            const float x2 = keyRight + dashWidth + textWidth(e.what, scale) + 6.0f * kSpaceWidth * scale;
            const std::vector<Segment> k2 = layoutText(e.key2, x2, baseline, scale);
            keys.insert(keys.end(), k2.begin(), k2.end());
            const float xd = x2 + (textWidth(e.key2, scale) / scale + kLetterGap) * scale;
            const std::vector<Segment> d2 = layoutText(dash, xd, baseline, scale);
            dashes.insert(dashes.end(), d2.begin(), d2.end());
            const std::vector<Segment> w2 = layoutText(e.what2, xd + dashWidth - kLetterGap * scale, baseline, scale);
            words.insert(words.end(), w2.begin(), w2.end());
        }
        drawText(img, keys, hw, keyColour);
        drawText(img, dashes, hw, dim);
        drawText(img, words, hw, textColour);
        baseline += pitch;
    }
    return img;
}

// ---------------------------------------------------------------------------
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
    const std::vector<float> d = distanceField(W, H, name, hw + 8.0f);
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            const float e = d[static_cast<size_t>(y) * W + x] - hw;
            Rgb& c = img.at(x, y);
            c = c + hex(0xffb040) * (0.45f * std::exp(-std::max(0.0f, e) / 2.2f) * (1.0f - coverage(e)));
            c = mix(c, hex(0xfff2c8), coverage(e));
        }
    }
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

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output-dir>\n", argc > 0 ? argv[0] : "makepictures");
        return 2;
    }
    const std::filesystem::path dir(argv[1]);
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) {
        std::fprintf(stderr, "makepictures: cannot create %s: %s\n", dir.string().c_str(), ec.message().c_str());
        return 1;
    }

    struct Output {
        const char* name;
        Image (*make)();
        bool dither;
    };
    const Output outputs[] = {
        {"trava.ppm", makeGrass, false},
        {"nebe.ppm", makeSky, true},
        {"jalovec.ppm", makeJuniper, false},
        {"leaf.ppm", makeLeaf, false},
        {"bf1.ppm", makeButterflyOrange, false},
        {"bf2.ppm", makeButterflyYellow, false},
        {"bf3.ppm", makeButterflyBlue, false},
        {"bf4.ppm", makeButterflyWhite, false},
        {"title.ppm", makeTitle, true},
        {"f1title.ppm", makeF1Hint, false},
        {"help.ppm", makeHelp, false},
        {"logo.ppm", makeLogo, false},
    };
    for (const Output& o : outputs) {
        const Image img = o.make();
        if (!writePpm(dir / o.name, img, o.dither)) {
            std::fprintf(stderr, "makepictures: cannot write %s\n", (dir / o.name).string().c_str());
            return 1;
        }
    }
    return 0;
}
