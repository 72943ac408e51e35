// A deciduous tree: a recursively forking skeleton of hexagonal tubes with textured leaf triangles.
#include "vegetation/DeciduousTree.h"

#include "core/Mesh.h"
#include "core/PrimitiveSolid.h"
#include "core/Random.h"
#include "core/Units.h"

#include <GL/gl.h>
#include <cmath>
#include <cstdio>

namespace {

// Levels count down from the trunk; level 1, the finest, carries leaves but does not fork.
constexpr int TRUNK_LEVEL = 4;
// Each level adds this much radius: the trunk narrows from 0.56 to 0.42, the finest tubes to a point.
constexpr double RADIUS_PER_LEVEL = 0.14;
// Hexagonal tubes.
constexpr float TUBE_SLICES = 6;
// Above the finest branches, whose tips reach tag 4: the leaves sway most.
constexpr int LEAF_GROUP = 4;

// A triangle hanging off the branch end, each corner within 1.5 per axis of the one before it.
Mesh* newLeaf(const Vertex& branchEnd, float sway) {
    Mesh* leaf = new Mesh;
    Vertex* corner = branchEnd.clone();
    corner->swayWeight = sway;
    // Nothing reads a leaf's tags, as every leaf vertex sways in LEAF_GROUP; they just go on
    // counting up from the tubes' tags: 4 at the stalk, 5 at the other corners.
    corner->tag = 4;
    leaf->addVertex(corner);
    for (int i = 0; i < 2; ++i) {
        corner = corner->clone();
        corner->add(randomOffset(1.5).data());
        corner->swayWeight = static_cast<float>(sway + 0.2 * randomUnit());
        corner->tag = 5;
        leaf->addVertex(corner);
    }
    return leaf;
}

}  // namespace

DeciduousTree::DeciduousTree(const float* position, float* tint) {
    std::printf("generuji listnac ");
    this->tint = tint;
    leafImage = loadPPM("leaf.ppm");
    this->position = makePoint(position[0], position[1], position[2]);
    faces = new List;
    const float up[4] = {0.0f, 15.0f, 0.0f, 0.0f};
    growBranch(position, up, TRUNK_LEVEL, 0.0f);
    std::printf("[hotovo]\n");
}

DeciduousTree::~DeciduousTree() {
    // Every tube and every leaf has vertices of its own.
    deleteWithVertices(faces);
    deleteComponents(position);
    releaseImage(leafImage);
}

void DeciduousTree::growBranch(const float* start, const float* direction, int level, float weight) {
    // The working copies are four floats each, so that a Vertex over them has its mark slot.
    float end[4] = {start[0], start[1], start[2], 0.0f};
    float reach[4] = {direction[0], direction[1], direction[2], 0.0f};
    Vertex tip(end), span(reach);
    span.add(randomOffset(2.5).data());
    // The top of this branch and everything above it sway with a weight of their own.
    const float sway = static_cast<float>(0.2 * randomUnit());
    tip.add(reach);
    faces->append(tubeMesh(start, RADIUS_PER_LEVEL * level, end, RADIUS_PER_LEVEL * (level - 1), TUBE_SLICES,
                           TRUNK_LEVEL - level, weight, sway));

    if (level < TRUNK_LEVEL) {
        const float leaves = static_cast<float>(5 * randomUnit() + 4);
        for (int k = 0; k < countBelow(leaves); ++k) faces->append(newLeaf(tip, sway));
    }
    if (level < 2) return;

    // The continuation goes on roughly along this branch, shorter and bent.
    span.add(randomOffset(2.5).data());
    span.scale(0.4f);
    float bend[3];
    for (int i = 2; i >= 0; --i) bend[i] = static_cast<float>(0.75 + 0.5 * randomUnit());
    span.multiply(bend);
    growBranch(end, reach, level - 1, sway);

    // Side branches turn away from the direction this branch was given, not from its jittered one.
    const float sideBranches = static_cast<float>(5 * randomUnit() + 3);
    for (int k = 0; k < countBelow(sideBranches); ++k) {
        float towards[4] = {direction[0], direction[1], direction[2], 0.0f};
        Vertex side(towards);
        side.scale(0.4f);
        side.add(randomOffset(2.5).data());
        float* sideways = sideDirection(towards);
        growBranch(end, sideways, level - 1, sway);
        deleteComponents(sideways);
    }
}

float* DeciduousTree::sideDirection(const float* v) {
    // The dominant axis by whole units; on a tie the earlier axis stays.
    int i = 0;
    for (int k = 1; k < 3; ++k)
        if (std::fabs(std::trunc(v[k])) > std::fabs(std::trunc(v[i]))) i = k;
    const float azimuth = static_cast<float>(2 * HALF_TURN * randomUnit());
    const double along = std::sin(static_cast<double>(azimuth)) * v[i];
    const double across = -std::cos(static_cast<double>(azimuth)) * v[i];
    const int next = (i + 1) % 3, last = (i + 2) % 3;
    float* r = makePoint(0.0f, 0.0f, 0.0f);
    r[i] = v[next];
    r[last] = static_cast<float>(v[last] + along);
    r[next] = static_cast<float>(v[next] + across);
    for (int k = 0; k < 3; ++k) {
        r[k] = static_cast<float>(r[k] + 0.5 * randomUnit());
        r[k] = static_cast<float>((randomUnit() + 1) * r[k] * 0.5);
    }
    return r;
}

void DeciduousTree::draw() {
    glColor3f(tint[0], tint[1], tint[2]);
    glPushMatrix();
    uploadTexture(leafImage);
    // The picture's tip at the stalk corner, its base across the other two.
    static const GLfloat leafCoords[3][2] = {{0.5f, 1.0f}, {1.0f, 0.0f}, {0.0f, 0.0f}};
    for (Mesh* face : items<Mesh>(faces)) {
        if (face->vertexCount() != 3) continue;
        glBegin(GL_TRIANGLES);
        int n = 0;
        for (Vertex* corner : items<Vertex>(face->vertices)) {
            glTexCoord2fv(leafCoords[n++]);
            corner->emit();
        }
        glEnd();
    }
    closeTexture();
    glPopMatrix();
    // Bark brown under the day's light.
    glColor3f(tint[0] * 0.49, tint[1] * 0.17, 0.0f);
    for (Mesh* face : items<Mesh>(faces))
        if (face->vertexCount() != 3) face->draw();
}

void DeciduousTree::attachToWind(SwayGroups* wind) {
    for (Mesh* face : items<Mesh>(faces)) {
        const int level =
            face->vertexCount() == 3 ? LEAF_GROUP : static_cast<int>(static_cast<Vertex*>(face->vertices->at(0))->tag);
        wind->addMesh(face, level);
    }
}
