// Segment distance, stroke building and the closed outlines.
#include "tools/pictures/Shapes.h"

namespace pictures {

float segmentDistance(Vec2 p, Vec2 a, Vec2 b, float* t) {
    const Vec2 ab = b - a;
    const float len2 = dot(ab, ab);
    const float h = len2 > 1e-12f ? clamp01(dot(p - a, ab) / len2) : 0.0f;
    if (t) *t = h;
    return length(p - (a + ab * h));
}

Vec2 quadraticPoint(Vec2 p0, Vec2 c, Vec2 p1, float t) {
    const float a = (1 - t) * (1 - t), b = 2 * (1 - t) * t, d = t * t;
    return {a * p0.x + b * c.x + d * p1.x, a * p0.y + b * c.y + d * p1.y};
}

StrokeNearest nearestOnStroke(const std::vector<StrokePoint>& pts, Vec2 p) {
    StrokeNearest nearest{1e9f, 0, 0.0f};
    // A single point is a segment of no length: a dot.
    const size_t segs = pts.size() > 1 ? pts.size() - 1 : 1;
    for (size_t i = 0; i < segs; ++i) {
        const StrokePoint& a = pts[i];
        const StrokePoint& b = pts[std::min(i + 1, pts.size() - 1)];
        float h = 0.0f;
        const float d = segmentDistance(p, {a.x, a.y}, {b.x, b.y}, &h);
        const float sd = d - lerp(a.r, b.r, h);
        if (sd < nearest.sd) nearest = {sd, i, h};
    }
    return nearest;
}

void paintSolidStroke(Image& img, const std::vector<StrokePoint>& pts, Rgb c, float alpha, bool wrapped) {
    paintStroke(img, pts, alpha, wrapped, [c](StrokeHit) { return c; });
}

std::vector<StrokePoint> curve(Vec2 p0, Vec2 c, Vec2 p1, float r0, float r1, int steps) {
    std::vector<StrokePoint> pts;
    for (int i = 0; i <= steps; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(steps);
        const Vec2 q = quadraticPoint(p0, c, p1, t);
        pts.push_back({q.x, q.y, lerp(r0, r1, t)});
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

float Outline::signedDistance(Vec2 p) const {
    float best = 1e9f;
    bool inside = false;
    for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
        const Vec2 a = pts[j], b = pts[i];
        best = std::min(best, segmentDistance(p, a, b));
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) inside = !inside;
    }
    return inside ? -best : best;
}

Outline smoothOutline(const std::vector<Vec2>& ctrl) {
    constexpr int STEPS_PER_SPAN = 12;
    Outline out;
    const size_t n = ctrl.size();
    for (size_t i = 0; i < n; ++i) {
        const Vec2 p0 = ctrl[(i + n - 1) % n], p1 = ctrl[i], p2 = ctrl[(i + 1) % n], p3 = ctrl[(i + 2) % n];
        for (int s = 0; s < STEPS_PER_SPAN; ++s) {
            const float t = static_cast<float>(s) / static_cast<float>(STEPS_PER_SPAN);
            const float t2 = t * t, t3 = t2 * t;
            const Vec2 q = (p1 * 2.0f + (p2 - p0) * t + (p0 * 2.0f - p1 * 5.0f + p2 * 4.0f - p3) * t2 +
                            (p1 * 3.0f - p0 - p2 * 3.0f + p3) * t3) *
                           0.5f;
            out.pts.push_back(q);
        }
    }
    return out;
}

}  // namespace pictures
