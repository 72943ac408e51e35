// The dandelion: a rosette of triangle-chain leaves, stems of tube segments and spiral flower heads.
#include "vegetation/Dandelion.h"

#include "core/PrimitiveSolid.h"
#include "core/Random.h"
#include "core/Units.h"

#include <GL/gl.h>
#include <cmath>
#include <cstdio>

namespace {

// Leaves and stems start at this level and grow one segment per level down to 0: seven segments.
constexpr int TOP_LEVEL = 6;
constexpr float STEM_RADIUS = 0.14f;
constexpr float STEM_SLICES = 6;
// A flower head's spiral makes four turns of 2 * HALF_TURN.
constexpr double SPIRAL_END = 8 * HALF_TURN;
// Wind groups of a head: the centre sways with the stem's top, the petal points one level above.
constexpr float HEAD_CENTRE_TAG = 7;
constexpr float PETAL_TAG = 8;

Vertex* newVertexAt(const float* p) { return new Vertex(makePoint(p[0], p[1], p[2])); }

// Every part's mesh owns its vertices: no other mesh shares them.
void deleteMesh(Mesh* mesh) {
    deleteWithComponents(mesh->vertices);
    delete mesh;
}

}  // namespace

Dandelion::Dandelion(const float* position, float* tint) {
    this->tint = tint;
    std::printf("generuji pampelisku ");

    // Both counts are floats bounding the loops: rounded to float, the stem count that comes out a
    // hair above 1 in double is exactly 1 and grows one stem, not two.
    const float leafCount = static_cast<float>(std::fabs(3 * randomUnit()) + 6);
    leaves = new List;
    for (int k = 0; k < leafCount; ++k) {
        const float theta = static_cast<float>(HALF_TURN * randomUnit());
        const float rise = static_cast<float>(0.8 * (0.25 * randomUnit() + 0.75));
        // Four floats: the leaf wraps its direction in a vertex, whose mark slot is the fourth.
        float direction[4] = {static_cast<float>(0.8 * std::sin(static_cast<double>(theta))), rise,
                              static_cast<float>(-0.8 * std::cos(static_cast<double>(theta))), 0.0f};
        leaves->append(new LeafSegment(position, direction, TOP_LEVEL, tint, 0.0f));
    }

    const float stemCount = static_cast<float>(std::fabs(3 * randomUnit() + 0.01));
    stems = new List;
    for (int k = 0; k < stemCount; ++k) {
        // The draws come x, z, then y, unlike an offset's; the plants depend on that order.
        const float x = static_cast<float>(8 * 0.025 * randomUnit());
        const float z = static_cast<float>(8 * 0.025 * randomUnit());
        const float y = static_cast<float>(8 * (0.02 * randomUnit() + 0.07));
        const float direction[4] = {x, y, z, 0.0f};
        stems->append(new StemSegment(position, direction, TOP_LEVEL, tint, 0.0f));
    }
    std::printf("[hotovo]\n");
}

Dandelion::~Dandelion() {
    for (LeafSegment* leaf : items<LeafSegment>(leaves)) delete leaf;
    for (StemSegment* stem : items<StemSegment>(stems)) delete stem;
    delete leaves;
    delete stems;
}

void Dandelion::draw() {
    glColor3f(tint[0] * 0.2, tint[1] * 0.7, tint[2] * 0.1);
    for (LeafSegment* leaf : items<LeafSegment>(leaves)) leaf->draw();
    // Every head leaves its own colour behind, so each stem sets its colour again.
    for (StemSegment* stem : items<StemSegment>(stems)) {
        glLineWidth(3.0f);
        glColor3f(tint[0] * 0.4, tint[1] * 0.9, tint[2] * 0.5);
        stem->draw();
    }
}

void Dandelion::attachToWind(SwayGroups* wind) {
    for (LeafSegment* leaf : items<LeafSegment>(leaves)) leaf->attachToWind(wind);
    for (StemSegment* stem : items<StemSegment>(stems)) stem->attachToWind(wind);
}

LeafSegment::LeafSegment(const float* base, float* direction, int level, float* tint, float weight) {
    this->tint = tint;
    growLeaf(base, direction, level, weight);
}

LeafSegment::~LeafSegment() {
    delete nextSegment;
    deleteMesh(segmentMesh);
}

void LeafSegment::growLeaf(const float* p, float* q, int a, float b) {
    Vertex* left = newVertexAt(p);
    Vertex* right = left->clone();
    Vertex* tip = left->clone();

    // The half-width lies level across the direction and rises by up to 0.8, a rise that does not
    // shrink along the leaf.
    float* halfWidth = makePoint(-q[2], static_cast<float>(0.4 * (randomUnit() + 1)), q[0]);
    left->add(halfWidth);
    right->scale(-1);
    right->add(halfWidth);
    right->scale(-1);
    deleteComponents(halfWidth);

    // The shrunk direction is written back into the caller's array and handed on down the leaf.
    Vertex direction(q);
    direction.add(randomOffset(0.04).data());
    direction.scale(0.8f);
    tip->add(q);

    left->swayWeight = right->swayWeight = b;
    left->tag = right->tag = static_cast<float>(7 - a);
    const float tipWeight = static_cast<float>(b + 0.2 * randomUnit());
    tip->swayWeight = tipWeight;
    // One group below the base corners: the tip of the first segment stays in group 0.
    tip->tag = static_cast<float>(6 - a);

    segmentMesh = new Mesh;
    segmentMesh->addVertex(left);
    segmentMesh->addVertex(right);
    segmentMesh->addVertex(tip);
    if (a > 0) nextSegment = new LeafSegment(tip->data(), q, a - 1, tint, tipWeight);
}

void LeafSegment::draw() {
    segmentMesh->draw();
    if (nextSegment != nullptr) nextSegment->draw();
}

void LeafSegment::attachToWind(SwayGroups* wind) {
    wind->addMeshByTag(segmentMesh);
    if (nextSegment != nullptr) nextSegment->attachToWind(wind);
}

StemSegment::StemSegment(const float* start, const float* direction, int level, float* tint, float weight) {
    this->tint = tint;
    growStem(start, direction, level, weight);
}

StemSegment::~StemSegment() {
    delete nextSegment;
    delete head;
    deleteMesh(segmentMesh);
}

void StemSegment::growStem(const float* p, const float* q, int a, float b) {
    Vertex* start = newVertexAt(p);
    Vertex* direction = newVertexAt(q);
    // The stem wanders mostly in x and hardly changes its pace upwards. Drawn z, y, then x.
    const float dz = static_cast<float>(8 * 0.005 * randomUnit());
    const float dy = static_cast<float>(8 * 0.005 * randomUnit());
    const float dx = static_cast<float>(8 * 0.025 * randomUnit());
    const float drift[3] = {dx, dy, dz};
    direction->add(drift);
    Vertex* end = start->clone();
    end->add(direction->data());
    // The top weight is drawn afresh for every segment; it does not grow from the bottom one.
    const float topWeight = static_cast<float>(0.2 * randomUnit());

    segmentMesh = tubeMesh(start->data(), STEM_RADIUS, end->data(), STEM_RADIUS, STEM_SLICES, 6 - a, b, topWeight);

    if (a > 0)
        nextSegment = new StemSegment(end->data(), direction->data(), a - 1, tint, topWeight);
    else
        head = new FlowerHead(end->data(), direction->data(), tint, topWeight);
    deleteWithComponents(start);
    deleteWithComponents(direction);
    deleteWithComponents(end);
}

void StemSegment::draw() {
    segmentMesh->draw();
    if (nextSegment != nullptr) nextSegment->draw();
    if (head != nullptr) head->draw();
}

void StemSegment::attachToWind(SwayGroups* wind) {
    wind->addMeshByTag(segmentMesh);
    if (nextSegment != nullptr) nextSegment->attachToWind(wind);
    if (head != nullptr) head->attachToWind(wind);
}

FlowerHead::FlowerHead(const float* c, const float* q, float* tint, float a) {
    this->tint = tint;
    faces = new List;
    // One step per head: 503 petals at the smallest, 101 at the largest.
    const float step = static_cast<float>(0.1 * randomUnit() + 0.15);
    float phi = 0.0f;
    do {
        const double theta = HALF_TURN * randomUnit();
        const double sinPhi = std::sin(static_cast<double>(phi)), cosPhi = std::cos(static_cast<double>(phi));
        // Offset by q.z, q.x and q.x rather than by q itself, which sets the puff beside the stem's
        // end; the heads keep that look.
        const float reach[3] = {static_cast<float>(q[2] + q[1] * std::sin(theta) * sinPhi),
                                static_cast<float>(q[0] + 0.6666666666666666 * q[1] * std::cos(theta)),
                                static_cast<float>(q[0] - q[1] * std::sin(theta) * cosPhi)};
        Mesh* petal = new Mesh;
        Vertex* centre = newVertexAt(c);
        centre->swayWeight = a;
        centre->tag = HEAD_CENTRE_TAG;
        petal->addVertex(centre);
        Vertex* point = centre->clone();
        point->add(reach);
        point->tag = PETAL_TAG;
        point->swayWeight = static_cast<float>(a + 0.2 * randomUnit());
        petal->addVertex(point);
        Vertex* side = point->clone();
        side->add(randomOffset(0.2).data());
        side->tag = PETAL_TAG;
        side->swayWeight = static_cast<float>(a + 0.2 * randomUnit());
        petal->addVertex(side);
        faces->append(petal);
        phi += step;
    } while (phi < SPIRAL_END);
}

FlowerHead::~FlowerHead() {
    for (Mesh* petal : items<Mesh>(faces)) deleteMesh(petal);
}

void FlowerHead::draw() {
    glColor3f(tint[0] * 0.9, tint[1] * 0.86, tint[2] * 0.24);
    for (Mesh* petal : items<Mesh>(faces)) petal->draw();
}

void FlowerHead::attachToWind(SwayGroups* wind) {
    for (Mesh* petal : items<Mesh>(faces)) wind->addMeshByTag(petal);
}
