// The spruce: a trunk of stacked tube segments, each with a whorl of forking branches and needles.
#include "vegetation/Spruce.h"

#include "core/PrimitiveSolid.h"
#include "core/Random.h"
#include "core/Units.h"

#include <GL/gl.h>
#include <cmath>
#include <cstdio>

namespace {

// Needles are set round with a half turn of their own, shorter than the world's.
constexpr double NEEDLE_HALF_TURN = 3.1415;
constexpr int TRUNK_LEVELS = 5;
// Every tube of a spruce, needles included, is three-sided.
constexpr float TUBE_SLICES = 3;
constexpr int NEEDLES_PER_SEGMENT = 30;
constexpr int NEEDLES_PER_BRANCH = 10;

float* copyPoint(const float* p) { return makePoint(p[0], p[1], p[2]); }

// Every component of p moved by up to 0.2, drawn in x, y, z order: a sub-branch's direction before
// it is turned.
void jitter(const float* p, float* out) {
    for (int k = 0; k < 3; ++k) out[k] = static_cast<float>(p[k] + 0.2 * randomUnit());
}

// One draw: whether a sub-branch grows, with the given probability.
bool sprouts(double probability) { return (randomUnit() + 1) * 0.5 < probability; }

// Appends count needles evenly along axis from start, each a thin stick from centre - offset to
// centre + offset; a random sine scales the offset's component sineAt: x on the trunk, y on a branch.
// Consumes start and axis.
void addNeedles(List* needles, float* start, float* axis, int count, int sineAt, float tag, float weight) {
    for (int i = 0; i < count; ++i) {
        const double u1 = randomUnit();
        const double u2 = randomUnit();
        double offset[3] = {0.2 * axis[2], 0.2 * axis[1], -0.2 * axis[0] * std::cos(2 * NEEDLE_HALF_TURN * u1)};
        offset[sineAt] *= std::sin(2 * NEEDLE_HALF_TURN * u2);
        float bottom[3], top[3];
        for (int k = 0; k < 3; ++k) {
            const float centre = i * axis[k] / count + start[k];
            bottom[k] = centre - static_cast<float>(offset[k]);
            top[k] = centre + static_cast<float>(offset[k]);
        }
        needles->append(tubeMesh(bottom, 0.05f, top, 0.05f, TUBE_SLICES, tag, weight, weight));
    }
    deleteComponents(start);
    deleteComponents(axis);
}

void barkColour(const float* tint) { glColor3f(tint[0] * 0.49, tint[1] * 0.17, tint[2] * 0.0); }

void needleColour(const float* tint) { glColor3f(tint[0] * 0.0, tint[1] * 0.41, tint[2] * 0.05); }

void drawMeshes(List* meshes) {
    for (Mesh* mesh : items<Mesh>(meshes)) mesh->draw();
}

void attachMeshes(List* meshes, SwayGroups* wind) {
    for (Mesh* mesh : items<Mesh>(meshes)) wind->addMeshByTag(mesh);
}

}  // namespace

SpruceTrunk::SpruceTrunk(float* position, float* tint) {
    std::printf("generuji smrk ");
    start(position, makePoint(0, 1.5, 0), tint);
    growTrunk(direction, TRUNK_LEVELS, 0.0f);
    std::printf("[hotovo]\n");
}

SpruceTrunk::SpruceTrunk(float* position, float* direction, int level, float* tint, float weight) {
    start(position, direction, tint);
    growTrunk(direction, level, weight);
}

void SpruceTrunk::start(float* position, float* direction, float* tint) {
    this->position = position;
    this->tint = tint;
    this->direction = direction;
    faces = new List;
    needles = new List;
}

// Nothing roughens a spruce: no caller asks for it, and its tubes are no faces to subdivide.
void SpruceTrunk::roughen(int) {}

void SpruceTrunk::growTrunk(float* p, int a, float b) {
    level = a;
    // The level-0 segment, the tip of the trunk, has no tube, needles, branches or next segment.
    if (a >= 1) {
        float* foot = copyPoint(position);
        const float branchCount = static_cast<float>(std::fabs(3 * randomUnit()) + 2);
        // Every branch of the whorl keeps this one array as its origin.
        float* whorl = copyPoint(position);
        for (int k = 0; k < branchCount; ++k) {
            const double theta = 2 * HALF_TURN * randomUnit();
            float* outwards = makePoint(1.8 * std::sin(theta), 1.5, -1.8 * std::cos(theta));
            faces->append(new SpruceBranch(whorl, outwards, a - 1, tint, b));
        }
        const double uz = randomUnit();
        const double uy = randomUnit();
        const double ux = randomUnit();
        float* step = makePoint(3 * (p[0] + 0.2 * ux), 3 * (p[1] + 0.2 * uy), 3 * (p[2] + 0.2 * uz));
        for (int k = 0; k < 3; ++k) position[k] += step[k];
        const float topWeight = b + 0.2 * randomUnit();
        segmentMesh = tubeMesh(foot, 0.07 * a, position, 0.07 * (a - 1), TUBE_SLICES, 6 - a, b, topWeight);
        addTrunkNeedles(foot, step, NEEDLES_PER_SEGMENT, (b + topWeight) * 0.5);
        nextSegment = new SpruceTrunk(position, copyPoint(p), a - 1, tint, topWeight);
    }
    deleteComponents(p);
    // The direction lives only while the segment grows; the field must not outlive it.
    direction = nullptr;
}

void SpruceTrunk::addTrunkNeedles(float* p, float* q, int count, float w) {
    addNeedles(needles, p, q, count, 0, 6 - level, w);
}

void SpruceTrunk::draw() {
    if (segmentMesh != nullptr) {
        barkColour(tint);
        segmentMesh->draw();
    }
    needleColour(tint);
    glLineWidth(1.0f);
    drawMeshes(needles);
    for (SpruceBranch* branch : items<SpruceBranch>(faces)) branch->draw();
    if (nextSegment != nullptr) nextSegment->draw();
}

void SpruceTrunk::dump() {
    if (segmentMesh != nullptr) segmentMesh->dump();
    for (SpruceBranch* branch : items<SpruceBranch>(faces)) branch->dump();
    if (nextSegment != nullptr) nextSegment->dump();
}

void SpruceTrunk::attachToWind(SwayGroups* wind) {
    if (segmentMesh != nullptr) {
        wind->addMeshByTag(segmentMesh);
        if (nextSegment != nullptr) nextSegment->attachToWind(wind);
    }
    for (SpruceBranch* branch : items<SpruceBranch>(faces)) branch->attachToWind(wind);
    attachMeshes(needles, wind);
}

SpruceBranch::SpruceBranch(float* start, float* direction, int level, float* tint, float weight) {
    this->level = level;
    this->tint = tint;
    origin = start;
    needles = new List;
    growBranch(direction, level, weight);
}

void SpruceBranch::growBranch(float* p, int c, float a) {
    float* end = copyPoint(origin);
    float* foot = copyPoint(end);
    for (int k = 0; k < 3; ++k) end[k] += p[k];
    const std::array<float, 3> offset = randomOffset(0.2);
    float* axis = makePoint(offset[0], offset[1], offset[2]);
    for (int k = 0; k < 3; ++k) end[k] += axis[k];
    for (int k = 0; k < 3; ++k) axis[k] += p[k];
    const float topWeight = a + 0.2 * randomUnit();
    // The bottom radius is the smaller: a branch thickens towards its end. At level 0 it is negative,
    // which traces the same ring from the opposite side.
    segmentMesh = tubeMesh(foot, 0.07 * (c - 1), end, 0.07 * c, TUBE_SLICES, 7 - c, a, topWeight);
    addBranchNeedles(foot, axis, NEEDLES_PER_BRANCH, 0.0f);
    // Level-0 branches end here. Each test draws its number even when an earlier one failed, and a
    // failed test draws no jitters.
    if (c >= 1) {
        float h[3];
        if (sprouts(0.9)) {
            jitter(p, h);
            children[1] = new SpruceBranch(end, makePoint(h[0], h[1], h[2]), c - 1, tint, topWeight);
        }
        if (sprouts(0.6)) {
            jitter(p, h);
            children[0] = new SpruceBranch(end, makePoint(-h[2], h[1], h[0]), c - 1, tint, topWeight);
        }
        if (sprouts(0.6)) {
            jitter(p, h);
            children[2] = new SpruceBranch(end, makePoint(h[2], h[1], -h[0]), c - 1, tint, topWeight);
        }
    }
    // The children share the end as their origin; without any, nothing keeps it.
    if (children[0] == nullptr && children[1] == nullptr && children[2] == nullptr) deleteComponents(end);
    deleteComponents(p);
}

void SpruceBranch::addBranchNeedles(float* p, float* q, int count, float w) {
    addNeedles(needles, p, q, count, 1, 7 - level, w);
}

void SpruceBranch::draw() {
    barkColour(tint);
    segmentMesh->draw();
    needleColour(tint);
    drawMeshes(needles);
    for (SpruceBranch* child : children)
        if (child != nullptr) child->draw();
}

void SpruceBranch::dump() {
    segmentMesh->dump();
    for (SpruceBranch* child : children)
        if (child != nullptr) child->dump();
}

void SpruceBranch::attachToWind(SwayGroups* wind) {
    for (SpruceBranch* child : children)
        if (child != nullptr) child->attachToWind(wind);
    wind->addMeshByTag(segmentMesh);
    attachMeshes(needles, wind);
}
