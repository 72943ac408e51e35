// The four butterflies: wing outlines, veins and patterns, and the body.
#include "tools/pictures/Painters.h"

#include "tools/pictures/Noise.h"
#include "tools/pictures/Shapes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace pictures {

// Butterflies: mirrored wings either side of a body that runs down the
// middle column, head at the top.

namespace {

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
        const Vec2 q = quadraticPoint(a, c, b, t);
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
        v.push_back({rim(TWO_PI * static_cast<float>(i) / 24.0f), rim(TWO_PI * static_cast<float>(i + 1) / 24.0f)});
    const Vec2 inner = rim(PI);
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

// Shared finishing for every wing: a dark rim that separates the wing from
// the backing, and fine scale texture.
Rgb finishWing(const WingPoint& w, Rgb c, uint32_t seed) {
    const float grain = fbm(w.lx * 0.9f, w.y * 0.9f, NO_REPEAT, 2, seed);
    c = c * (1.0f + 0.07f * grain);
    return mix(c, c * 0.5f, 1.0f - smoothstep(0.0f, 1.0f, w.depth));
}

// One species: the control points of the right-hand wing outlines, its
// colours, and the pattern of its wings before the shared finish.
struct Butterfly {
    std::vector<Vec2> fore, hind;
    Rgb background, body, bodyLight;
    Rgb (*pattern)(const WingPoint&);
    uint32_t grainSeed;
};

Image paintButterfly(const Butterfly& b) {
    constexpr int N = 128;
    const WingShape shape = makeWingShape(b.fore, b.hind);
    Image img(N, N, b.background);
    auto wing = [&](const WingPoint& w) { return finishWing(w, b.pattern(w), b.grainSeed); };
    for (int y = 0; y < N; ++y) {
        for (int x = 0; x < N; ++x) {
            const Vec2 p{std::fabs(static_cast<float>(x) + 0.5f - 0.5f * N), static_cast<float>(y) + 0.5f};
            const WingPoint hind = wingPoint(shape, false, p);
            const WingPoint fore = wingPoint(shape, true, p);
            // A faint shadow of the wings on the backing keeps the silhouette soft.
            const float near = std::min(-fore.depth, -hind.depth);
            Rgb c = b.background * (1.0f - 0.35f * (1.0f - smoothstep(0.0f, 4.0f, near)));
            c = mix(c, wing(hind), coverage(-hind.depth));
            // The forewing's trailing edge casts a little shade onto the hindwing.
            c = c * (1.0f - 0.3f * clamp01(1.0f - std::fabs(fore.depth + 1.5f) / 2.0f) * coverage(-hind.depth));
            c = mix(c, wing(fore), coverage(-fore.depth));
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
        const float ring = 0.5f + 0.5f * std::cos(h.t * 66.0f * PI / 6.0f);
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
    paintSolidStroke(img, {{cx, 11.0f, 3.6f}}, b.body, 1.0f, false);
    for (int side = -1; side <= 1; side += 2)
        paintSolidStroke(img, {{cx + static_cast<float>(side) * 2.2f, 10.0f, 1.4f}}, hex(0x5a5040), 1.0f, false);
    return img;
}

// Dots spaced along the wing margin at a given depth below it.
float marginDots(const WingPoint& w, float depthAt, float radius, float spokesPerRadian, float offset = 0.0f) {
    const float cell = w.spoke * spokesPerRadian + offset;
    const float along = (cell - std::floor(cell) - 0.5f) / spokesPerRadian;  // radians from the dot centre
    const float arc = along * std::hypot(w.lx, 40.0f) * 0.9f;                // rough pixels along the margin
    return std::hypot(arc, w.edge - depthAt) - radius;
}

// Distance from the wing point to a spot centre, in pixels.
float fromCentre(const WingPoint& w, Vec2 centre) { return std::hypot(w.lx - centre.x, w.y - centre.y); }

Rgb orangeWing(const WingPoint& w) {
    Rgb c = mix(hex(0xd8621a), hex(0xf6a23c), smoothstep(0.1f, 0.8f, w.reach));
    const float veinW = lerp(0.6f, 1.5f, w.reach);
    c = mix(c, hex(0x16110e), coverage(w.vein - veinW));
    const float border = w.fore ? 6.5f : 7.0f;
    c = mix(c, hex(0x16110e), coverage(w.edge - border));
    // The forewing tip is black with a bar of pale spots.
    if (w.fore) {
        c = mix(c, hex(0x16110e), coverage(fromCentre(w, {60.0f, 6.0f}) - 17.0f));
        for (int i = 0; i < 4; ++i) {
            const Vec2 sc{44.0f + 4.6f * static_cast<float>(i), 8.5f + 3.8f * static_cast<float>(i)};
            const float spot = fromCentre(w, sc) - (i == 0 ? 1.8f : 1.5f);
            c = mix(c, i < 2 ? hex(0xf8ede0) : hex(0xf4a640), coverage(spot));
        }
    }
    c = mix(c, hex(0xf8f2e8), coverage(marginDots(w, 2.2f, 0.95f, 9.0f)));
    return mix(c, hex(0xf8f2e8), coverage(marginDots(w, 4.8f, 0.8f, 9.0f, 0.5f)));
}

Rgb yellowWing(const WingPoint& w) {
    Rgb c = mix(hex(0xd4dc78), hex(0xfae86e), smoothstep(0.05f, 0.5f, w.reach));
    c = mix(c, hex(0xfdf3a8), 0.6f * smoothstep(0.5f, 1.0f, w.reach));
    c = mix(c, hex(0xb8a858), 0.55f * coverage(w.vein - lerp(0.3f, 0.8f, w.reach)));
    const float spot = fromCentre(w, w.fore ? Vec2{26.0f, 32.0f} : Vec2{22.0f, 80.0f}) - (w.fore ? 2.6f : 3.2f);
    c = mix(c, hex(0xe88a2a), coverage(spot));
    return mix(c, hex(0xc0543a), 0.7f * coverage(marginDots(w, 1.6f, 0.7f, 8.0f)));
}

Rgb blueWing(const WingPoint& w) {
    Rgb c = mix(hex(0x3a4f86), hex(0x3f86f0), smoothstep(0.05f, 0.45f, w.reach));
    c = mix(c, hex(0x8cc4ff), 0.35f * smoothstep(0.45f, 0.75f, w.reach) * (1.0f - smoothstep(0.75f, 0.9f, w.reach)));
    c = mix(c, hex(0x1a2a5a), 0.6f * coverage(w.vein - 0.5f));
    const float border = w.fore ? 7.5f : 6.0f;
    c = mix(c, hex(0x0d0f14), smoothstep(1.5f, -1.0f, w.edge - border));
    // Chequered white fringe.
    const float fringe = coverage(w.edge - 2.3f);
    const float check = std::sin(w.spoke * 40.0f) > -0.2f ? 1.0f : 0.25f;
    return mix(c, hex(0xf0f2f6), fringe * check);
}

Rgb whiteWing(const WingPoint& w) {
    Rgb c = mix(hex(0xe6e2d2), hex(0xfaf8ef), smoothstep(0.05f, 0.35f, w.reach));
    c = mix(c, hex(0x3a3a3a), 0.8f * (1.0f - smoothstep(0.05f, 0.22f, w.reach)));  // dark hairy base
    c = mix(c, hex(0x9c9c94), 0.25f * coverage(w.vein - 0.45f));
    if (w.fore) {
        // Glassy grey outer margin and black spots.
        c = mix(c, hex(0xb4b8b8), 0.75f * coverage(w.edge - 7.0f));
        c = mix(c, hex(0x7a7e80), 0.8f * coverage(marginDots(w, 5.0f, 1.6f, 7.0f)));
        const Vec2 spots[] = {{24.0f, 26.0f}, {36.0f, 18.0f}, {40.0f, 38.0f}};
        const float radii[] = {3.2f, 3.4f, 3.0f};
        for (int i = 0; i < 3; ++i) c = mix(c, hex(0x17171a), coverage(fromCentre(w, spots[i]) - radii[i]));
        return c;
    }
    // Eyespots: black ring, red iris, white pupil.
    const Vec2 eyes[] = {{30.0f, 76.0f}, {28.0f, 96.0f}};
    const float radii[] = {8.0f, 6.5f};
    for (int i = 0; i < 2; ++i) {
        const float r = fromCentre(w, eyes[i]);
        c = mix(c, hex(0x141416), coverage(r - radii[i]));
        c = mix(c, mix(hex(0xd8202a), hex(0xf04a3a), clamp01(1.0f - r / radii[i])), coverage(r - radii[i] + 1.8f));
        c = mix(c, hex(0xfbf6ee), coverage(r - radii[i] * 0.3f));
    }
    return mix(c, hex(0x2a2a2c), coverage(marginDots(w, 3.5f, 1.4f, 6.0f)));
}

}  // namespace

Image makeButterflyOrange() {
    return paintButterfly({
        {{2, 22}, {12, 12}, {30, 6}, {50, 3}, {62, 6}, {62, 18}, {56, 34}, {46, 48}, {30, 56}, {12, 56}, {3, 44}},
        {{3, 54}, {16, 56}, {34, 60}, {50, 70}, {56, 86}, {50, 102}, {38, 114}, {24, 118}, {12, 112}, {5, 96}, {2, 76}},
        hex(0x1e1d1c), hex(0x141212), hex(0xf2f0ea), orangeWing, 101u});
}

// Pointed wing tips, like a leaf.
Image makeButterflyYellow() {
    return paintButterfly({
        {{2, 24}, {14, 12}, {36, 5}, {58, 1}, {60, 14}, {56, 30}, {48, 44}, {32, 54}, {14, 56}, {3, 44}},
        {{3, 54}, {18, 56}, {38, 60}, {54, 72}, {60, 84}, {54, 98}, {42, 112}, {26, 120}, {12, 114}, {5, 98}, {2, 76}},
        hex(0x1d1e1b), hex(0x3a3a2a), hex(0xd9d6a8), yellowWing, 102u});
}

// Rounded wings.
Image makeButterflyBlue() {
    return paintButterfly({
        {{2, 22}, {14, 10}, {34, 4}, {54, 4}, {62, 14}, {60, 30}, {50, 46}, {32, 56}, {12, 56}, {3, 44}},
        {{3, 54}, {20, 56}, {40, 60}, {54, 70}, {58, 86}, {52, 102}, {40, 114}, {24, 118}, {11, 110}, {4, 94}, {2, 74}},
        hex(0x1b1c20), hex(0x1a1c26), hex(0x8a96b8), blueWing, 103u});
}

Image makeButterflyWhite() {
    return paintButterfly({
        {{2, 22}, {12, 12}, {32, 6}, {52, 4}, {62, 10}, {62, 24}, {54, 40}, {40, 52}, {22, 56}, {8, 54}, {3, 42}},
        {{3, 54}, {18, 55}, {36, 58}, {50, 68}, {56, 84}, {50, 100}, {38, 110}, {24, 114}, {12, 108}, {5, 92}, {2, 72}},
        hex(0x1c1c1d), hex(0x121212), hex(0x9a9a96), whiteWing, 104u});
}

}  // namespace pictures
