// Glyph strokes built from the bitmap sheet, text layout, and the distance field that inks it.
#include "tools/pictures/Lettering.h"

#include "tools/pictures/Glyphs.h"

#include <algorithm>
#include <cmath>

namespace pictures {

namespace {

// The bitmap glyphs are turned into round-capped strokes joining
// neighbouring ink cells, so letters stay smooth at any scale and a distance
// field gives anti-aliasing, shadows and glow for free.

struct GlyphShape {
    std::vector<Segment> strokes;  // in cell units, ink cell centres at (x + 0.5, y + 0.5)
    int left = 0;                  // first and last inked columns
    int right = -1;
};

GlyphShape buildGlyph(int c) {
    using glyphs::ink;
    GlyphShape g;
    g.left = glyphs::CELL_WIDTH;
    for (int y = 0; y < glyphs::CELL_HEIGHT; ++y) {
        for (int x = 0; x < glyphs::CELL_WIDTH; ++x) {
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
        for (int c = glyphs::FIRST; c <= glyphs::LAST; ++c) v.push_back(buildGlyph(c));
        return v;
    }();
    int c = static_cast<unsigned char>(ch);
    if (c < glyphs::FIRST || c > glyphs::LAST) c = '?';
    return all[static_cast<size_t>(c - glyphs::FIRST)];
}

// Advance of one character in cell units; letters are spaced by their ink.
float advance(char ch, float tracking) {
    const GlyphShape& g = glyph(ch);
    if (g.right < g.left) return SPACE_WIDTH + tracking;
    return static_cast<float>(g.right - g.left + 1) + LETTER_GAP + tracking;
}

}  // namespace

float textWidth(const std::string& s, float scale, float tracking) {
    float w = 0.0f;
    for (char ch : s) w += advance(ch, tracking);
    if (!s.empty()) w -= LETTER_GAP + tracking;
    return w * scale;
}

float penAdvance(const std::string& s, float scale) { return (textWidth(s, scale) / scale + LETTER_GAP) * scale; }

std::vector<Segment> layoutText(const std::string& s, float x, float baseline, float scale, float tracking) {
    std::vector<Segment> out;
    const float top = baseline - CAP_HEIGHT * scale;
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

std::vector<Segment> layoutCentred(const std::string& s, float centreX, float baseline, float scale, float tracking) {
    return layoutText(s, centreX - 0.5f * textWidth(s, scale, tracking), baseline, scale, tracking);
}

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

void drawText(Image& img, const std::vector<Segment>& segs, float halfWidth, Rgb colour) {
    shadeAroundInk(img, segs, halfWidth, halfWidth + 2.0f,
                   [&](int x, int y, float e) { img.blend(x, y, colour, coverage(e)); });
}

void drawTextShadow(Image& img, const std::vector<Segment>& segs, float halfWidth, float blur, Rgb colour,
                    float strength) {
    shadeAroundInk(img, segs, halfWidth, halfWidth + blur + 1.0f, [&](int x, int y, float e) {
        img.blend(x, y, colour, (1.0f - smoothstep(-1.0f, blur, e)) * strength);
    });
}

}  // namespace pictures
