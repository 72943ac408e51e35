// The scene object base: roughening, subdivision, displacement, wind registration and the dump.
#include "core/Mesh.h"
#include "core/Random.h"
#include "core/SceneObject.h"
#include "world/Wind.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

Vertex* point(float x, float y, float z) { return new Vertex(makePoint(x, y, z)); }

// A scene object of axis-aligned quads whose displaceable vertices are clones of the face corners,
// the way the plants build themselves.
class Slab : public SceneObject {
public:
    explicit Slab(int quads, float sx = 3, float sy = 6, float sz = 9) {
        faces = new List;
        vertices = new VertexSet;
        position = makePoint(0, 0, 0);
        size = makePoint(sx, sy, sz);
        for (int q = 0; q < quads; ++q) {
            Mesh* face = new Mesh;
            face->addVertex(point(q, 0, 0));
            face->addVertex(point(q + 1, 0, 0));
            face->addVertex(point(q + 1, 0, 1));
            face->addVertex(point(q, 0, 1));
            for (ListNode* node = face->vertices->first; node != nullptr; node = node->next)
                vertices->add(static_cast<Vertex*>(node->payload)->clone());
            faces->append(face);
        }
    }
    Mesh* face(int i) const { return static_cast<Mesh*>(faces->at(i)); }
    Vertex* corner(int face, int i) const { return static_cast<Vertex*>(this->face(face)->vertices->at(i)); }
};

std::vector<Vertex> snapshot(VertexSet* set) {
    std::vector<Vertex> copy;
    for (ListNode* node = set->members->first; node != nullptr; node = node->next)
        copy.push_back(*static_cast<Vertex*>(node->payload)->clone());
    return copy;
}

TEST(SceneObjectRoughen, OnePassDisplacesWithoutSubdividing) {
    Slab slab(2);
    std::srand(5);
    slab.roughen(1);
    EXPECT_EQ(slab.faces->count(), 2);
    EXPECT_EQ(slab.vertices->count(), 8);
}

TEST(SceneObjectRoughen, EveryLaterPassSplitsEveryQuadInFour) {
    Slab slab(2);
    std::srand(5);
    slab.roughen(3);
    EXPECT_EQ(slab.faces->count(), 32);
    // Twelve new corners per split face, and nothing ever leaves the set.
    EXPECT_EQ(slab.vertices->count(), 8 + 2 * 12 + 8 * 12);
    slab.roughen(0);
    slab.roughen(-1);
    EXPECT_EQ(slab.faces->count(), 32);
}

// Each member moves by three draws, z first, then y, then x, each scaled by the pass's amplitude.
void expectDisplaced(VertexSet* set, const std::vector<Vertex>& before, float amplitude) {
    ListNode* node = set->members->first;
    for (size_t member = 0; member < before.size(); ++member, node = node->next) {
        Vertex* v = static_cast<Vertex*>(node->payload);
        const float dz = static_cast<float>(randomUnit() * amplitude);
        const float dy = static_cast<float>(randomUnit() * amplitude);
        const float dx = static_cast<float>(randomUnit() * amplitude);
        EXPECT_EQ(v->get(0), before[member].get(0) + dx) << "member " << member;
        EXPECT_EQ(v->get(1), before[member].get(1) + dy) << "member " << member;
        EXPECT_EQ(v->get(2), before[member].get(2) + dz) << "member " << member;
    }
}

TEST(SceneObjectRoughen, AmplitudeIsAThirdOfTheSmallestExtentHalvedEachPass) {
    // Extents (3, 6, 9): 0.99 in the first pass, 0.495 in the second.
    Slab once(1);
    std::vector<Vertex> original = snapshot(once.vertices);
    std::srand(11);
    once.roughen(1);
    std::srand(11);
    expectDisplaced(once.vertices, original, 0.99f);

    once.subdivideFaces();
    std::vector<Vertex> split = snapshot(once.vertices);
    Slab twice(1);
    std::srand(11);
    twice.roughen(2);
    std::srand(11);
    for (int draw = 0; draw < 12; ++draw) randomUnit();
    expectDisplaced(twice.vertices, split, 0.495f);
}

TEST(SceneObjectDisplace, TheFirstMemberAtAPositionCarriesTheFaceVertices) {
    Slab slab(2);
    // Corner 1 of face 0 and corner 0 of face 1 coincide; so do their clones in the set.
    Vertex* shared0 = slab.corner(0, 1);
    Vertex* shared1 = slab.corner(1, 0);
    ASSERT_EQ(shared0->countDifferences(shared1), 0);
    Vertex* firstClone = static_cast<Vertex*>(slab.vertices->members->at(1));
    Vertex* laterClone = static_cast<Vertex*>(slab.vertices->members->at(4));
    std::srand(3);
    slab.displace(0.5f);
    // Both face vertices went with the first clone, in each face the first equal vertex.
    EXPECT_EQ(shared0->countDifferences(firstClone), 0);
    EXPECT_EQ(shared1->countDifferences(firstClone), 0);
    // The later clone found nothing left at the old position and moved alone.
    EXPECT_NE(laterClone->countDifferences(firstClone), 0);
    // Every face corner ended where the member it started with went: no seam opens.
    for (int face = 0; face < 2; ++face)
        for (int i = 0; i < 4; ++i) {
            Vertex* corner = slab.corner(face, i);
            bool matched = false;
            for (ListNode* node = slab.vertices->members->first; node != nullptr; node = node->next)
                matched = matched || corner->countDifferences(static_cast<Vertex*>(node->payload)) == 0;
            EXPECT_TRUE(matched) << "face " << face << " corner " << i;
        }
}

TEST(SceneObjectSubdivide, KeepsQuadsAndDropsEverythingElse) {
    Slab slab(2);
    Mesh* triangle = new Mesh;
    for (int i = 0; i < 3; ++i) triangle->addVertex(point(i, 1, 0));
    slab.faces->append(triangle);
    Mesh* strip = new Mesh(0x0005);
    for (int i = 0; i < 4; ++i) strip->addVertex(point(i, 2, 0));
    slab.faces->append(strip);
    slab.subdivideFaces();
    ASSERT_EQ(slab.faces->count(), 8);
    // The children of the first face come first and hold its corner 0 at position 0.
    EXPECT_EQ(slab.corner(0, 0)->get(0), 0);
    EXPECT_EQ(slab.corner(4, 0)->get(0), 1);
    EXPECT_EQ(slab.vertices->count(), 8 + 24);
}

TEST(SceneObjectWind, WeightsGrowWithHeightDepthAndWidth) {
    Slab slab(0, 3, 6, 9);
    slab.position[0] = 1;
    slab.position[1] = 2;
    slab.position[2] = 3;
    Mesh* face = new Mesh;
    Vertex* atReference = point(1, 2, 3);
    Vertex* above = point(1, 8, 3);
    Vertex* farCorner = point(4, 8, 12);
    Vertex* lowSide = point(-2, 2, 3);
    for (Vertex* v : {atReference, above, farCorner, lowSide}) face->addVertex(v);
    slab.faces->append(face);
    Mesh* neighbour = new Mesh;
    neighbour->addVertex(above);
    slab.faces->append(neighbour);

    Wind wind;
    slab.attachToWind(&wind);
    EXPECT_EQ(atReference->swayWeight, 0);
    EXPECT_EQ(above->swayWeight, 1);
    const float a = 1 * 0.33333334;
    const float b = 1 * 0.25 + a;
    EXPECT_EQ(farCorner->swayWeight, 1 + b);
    EXPECT_FLOAT_EQ(lowSide->swayWeight, -0.33333334f);
    // Group 1 takes every face vertex once, even one shared by two faces.
    for (int level = 0; level < Wind::LEVEL_COUNT; ++level) {
        EXPECT_EQ(wind.groups[level].count(), level == 1 ? 4 : 0) << level;
    }
    EXPECT_TRUE(wind.groups[1].contains(above));
}

TEST(SceneObjectDump, PrintsEveryFaceBetweenTheTreeTags) {
    Slab empty(0);
    testing::internal::CaptureStdout();
    empty.dump();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "<Tree1>\n</Tree1>\n\n");

    Slab one(1);
    testing::internal::CaptureStdout();
    one.dump();
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out.rfind("<Tree1>\n\t<4>\n\t\t[     0.00 :     0.00 :     0.00 ] unchecked\n", 0), 0u) << out;
    const std::string ending = " unchecked\n\t</4>\n</Tree1>\n\n";
    ASSERT_GT(out.size(), ending.size());
    EXPECT_EQ(out.substr(out.size() - ending.size()), ending) << out;
}

}  // namespace
