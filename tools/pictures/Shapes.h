// 2-D vectors, and the tapered strokes and closed outlines that pictures are drawn with.
#pragma once

#include "tools/pictures/Raster.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace pictures {

constexpr float PI = 3.14159265358979f;
constexpr float TWO_PI = 2.0f * PI;

struct Vec2 {
    float x = 0.0f, y = 0.0f;
};

inline Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
inline Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
inline Vec2 operator*(Vec2 a, float k) { return {a.x * k, a.y * k}; }
inline float dot(Vec2 a, Vec2 b) { return a.x * b.x + a.y * b.y; }
inline float length(Vec2 a) { return std::sqrt(dot(a, a)); }

// Distance from p to the segment a-b; t receives the closest point's parameter.
float segmentDistance(Vec2 p, Vec2 a, Vec2 b, float* t = nullptr);

// The point at t (0..1) on the quadratic curve from p0 through control c to p1.
Vec2 quadraticPoint(Vec2 p0, Vec2 c, Vec2 p1, float t);

struct Segment {
    Vec2 a, b;
};

// Strokes are polylines of these, drawn with round caps and joins.
struct StrokePoint {
    float x, y, r;  // centre line and half width, pixels
};

// Where a covered pixel lies on a stroke: t runs 0..1 from the first point to
// the last, across -1..1 from one flank to the other.
struct StrokeHit {
    float t;
    float across;
};

// The nearest point of a stroke to p: its signed distance (pixels, negative
// inside), the segment it lies on and its parameter along that segment.
struct StrokeNearest {
    float sd;
    size_t segment;
    float h;
};

StrokeNearest nearestOnStroke(const std::vector<StrokePoint>& pts, Vec2 p);

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
            const StrokeNearest n = nearestOnStroke(pts, p);
            const float cov = coverage(n.sd);
            if (cov <= 0.0f) continue;
            const StrokePoint& a = pts[n.segment];
            const StrokePoint& b = pts[std::min(n.segment + 1, pts.size() - 1)];
            const float r = lerp(a.r, b.r, n.h);
            const float len = std::hypot(b.x - a.x, b.y - a.y);
            const float side = len > 1e-6f ? ((b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x)) / len : 0.0f;
            const StrokeHit hit{(along[n.segment] + n.h * len) / total,
                                std::max(-1.0f, std::min(1.0f, side / std::max(r, 1e-3f)))};
            if (wrapped)
                img.blendWrapped(x, y, colour(hit), cov * alpha);
            else
                img.blend(x, y, colour(hit), cov * alpha);
        }
    }
}

// A stroke in one flat colour.
void paintSolidStroke(Image& img, const std::vector<StrokePoint>& pts, Rgb c, float alpha, bool wrapped);

// Samples a quadratic curve from p0 through control c to p1, tapering r0 -> r1.
std::vector<StrokePoint> curve(Vec2 p0, Vec2 c, Vec2 p1, float r0, float r1, int steps = 8);

// The same stroke moved by (dx, dy) and widened by dr: the shadow it casts.
std::vector<StrokePoint> offsetStroke(std::vector<StrokePoint> pts, float dx, float dy, float dr);

// A closed polygon, fine enough to stand for a smooth shape.
struct Outline {
    std::vector<Vec2> pts;

    // Signed distance in pixels, negative inside.
    float signedDistance(Vec2 p) const;
};

// Closed Catmull-Rom spline through the control points.
Outline smoothOutline(const std::vector<Vec2>& ctrl);

}  // namespace pictures
