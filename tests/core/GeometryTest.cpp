// Lists, vertices, meshes and primitive solids.
#include "core/Mesh.h"
#include "core/PrimitiveSolid.h"
#include "core/Random.h"
#include "tests/support/Digest.h"

#include <GL/gl.h>
#include <algorithm>
#include <gtest/gtest.h>

static int a, b, c;

static Vertex* point(float x, float y, float z) { return new Vertex(makePoint(x, y, z)); }

// The unit square's corners in winding order, then a fifth point, as far as the count goes.
static Mesh* polygon(int corners = 4, Mesh* mesh = new Mesh) {
    const float xz[5][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {2, 0}};
    for (int i = 0; i < corners; ++i) mesh->addVertex(point(xz[i][0], 0, xz[i][1]));
    return mesh;
}

static Vertex* vertexAt(List* meshes, int mesh, int i) {
    return static_cast<Vertex*>(static_cast<Mesh*>(meshes->at(mesh))->vertices->at(i));
}

TEST(List, InsertsBeforeTheElementAtTheIndexAndNowhereOutsideTheList) {
    const struct { std::vector<void*> start; int index; std::vector<void*> expected; } cases[] = {
        {{}, 0, {}}, {{&a, &c}, 0, {&b, &a, &c}}, {{&a, &c}, 1, {&a, &b, &c}}, {{&a, &c}, 2, {&a, &c}},
        {{&a, &c}, -1, {&a, &c}}};
    for (const auto& k : cases) {
        List list;
        for (void* p : k.start) list.append(p);
        list.insertAt(k.index, &b);
        // Forwards through the cursor, and backwards through the prev links.
        std::vector<void*> forwards, backwards;
        for (Cursor* cursor = list.rewind(); cursor->hasNext();) forwards.push_back(cursor->next());
        for (ListNode* node = list.last; node; node = node->prev) backwards.insert(backwards.begin(), node->payload);
        EXPECT_TRUE(forwards == k.expected && backwards == k.expected) << "index " << k.index;
        EXPECT_EQ(list.count(), static_cast<int>(k.expected.size())) << "index " << k.index;
    }
}

// Pooled storage must go back to its pool whoever frees it: a list releasing payloads it knows
// nothing about, or one call for component arrays from the pool and from new[] alike.
TEST(Pool, StorageGoesBackToThePoolThatCarvedItWhoeverFreesIt) {
    List list;
    std::vector<void*> released;
    for (int i = 0; i < 3; ++i) {
        Vertex* v = point(i, 0, 0);
        deleteComponents(v->components);
        released.push_back(v);
        list.append(v);
    }
    list.releaseContents();
    deleteComponents(new float[5]);
    Vertex* again = new Vertex(nullptr);
#if !defined(__SANITIZE_ADDRESS__)
    EXPECT_NE(std::find(released.begin(), released.end(), again), released.end());
#endif
    EXPECT_EQ(list.count(), 0);
    delete again;
}

TEST(Vertex, OnlyAMatchByValueCopiesTheArgumentsAttributesAndOnlyIntoTheReceiver) {
    Vertex *receiver = point(1, 2, 3), *argument = point(1, 2, 3);
    argument->tag = 6;
    argument->swayWeight = 0.5f;
    EXPECT_TRUE(receiver->equals(argument));
    EXPECT_EQ(std::make_pair(receiver->tag, receiver->swayWeight), std::make_pair(6.0f, 0.5f));
    Vertex sharing(receiver->components);
    EXPECT_TRUE(receiver->equals(&sharing)) << "the same storage is the same vertex";
    EXPECT_FALSE(receiver->equals(point(1, 2, 4)));
    EXPECT_EQ(receiver->tag, 6) << "neither shared storage nor a mismatch copies";
}

TEST(Mesh, ThePrimitiveFollowsTheVertexCountUnlessAModeWasGiven) {
    const int expected[] = {GL_POLYGON, GL_POINTS, GL_LINES, GL_TRIANGLES, GL_QUADS, GL_POLYGON};
    for (int count = 0; count < 6; ++count) {
        EXPECT_EQ(polygon(count)->primitive(), expected[count]) << count;
        EXPECT_EQ(polygon(count, new Mesh(GL_TRIANGLE_STRIP))->primitive(), GL_TRIANGLE_STRIP) << count;
    }
}

TEST(Mesh, MoveVertexMovesOnlyTheFirstEqualVertexAndGivesItTheKeysAttributes) {
    Mesh* mesh = polygon();
    Vertex *first = static_cast<Vertex*>(mesh->vertices->at(1)), *twin = point(1, 0, 0), *key = point(1, 0, 0);
    mesh->addVertex(twin);
    key->tag = 3;
    mesh->moveVertex(key, point(5, 6, 7));
    EXPECT_EQ(std::make_pair(first->countDifferences(point(5, 6, 7)), first->tag), std::make_pair(0, 3.0f));
    EXPECT_EQ(twin->countDifferences(point(1, 0, 0)) + key->countDifferences(point(1, 0, 0)), 0);
}

TEST(MeshSubdivide, SplitsAQuadIntoFourChildrenAroundOneCentreAndCollectsClonesOfTheNewCorners) {
    VertexSet collector;
    Mesh* parent = polygon();
    List* children = parent->subdivide(&collector);
    // Child i starts at corner i and winds like its parent, with the shared centre opposite corner i.
    const float layout[4][4][2] = {{{0, 0}, {.5f, 0}, {.5f, .5f}, {0, .5f}}, {{.5f, 0}, {1, 0}, {1, .5f}, {.5f, .5f}},
                                   {{.5f, .5f}, {1, .5f}, {1, 1}, {.5f, 1}}, {{0, .5f}, {.5f, .5f}, {.5f, 1}, {0, 1}}};
    ASSERT_EQ(children->count(), 4);
    std::vector<Vertex*> corners;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            Vertex* v = vertexAt(children, i, j);
            EXPECT_EQ(v->countDifferences(point(layout[i][j][0], 0, layout[i][j][1])), 0) << i << " " << j;
            if (j == (i + 2) % 4) EXPECT_EQ(v, vertexAt(children, 0, 2)) << "one centre for all";
            else corners.push_back(v);
        }
    EXPECT_NE(corners[0], parent->vertices->at(0)) << "even the corners are new vertices";
    // Twelve clones of the new corners in order, marked, each with storage of its own.
    ASSERT_EQ(collector.count(), 12);
    for (int k = 0; k < 12; ++k) {
        Vertex* clone = static_cast<Vertex*>(collector.members->at(k));
        EXPECT_TRUE(clone->isMarked() && clone->components != corners[k]->components &&
                    clone->countDifferences(corners[k]) == 0) << k;
    }
}

// Recorded after every tube vertex was checked against its circle, tag and weight, the textured
// tube's alternating texture coordinates, the closing of a three-sided tube, and the dome's strip
// counts, radius, pole, seam, azimuth and texture coordinates from pole to pole.
TEST(PrimitiveSolid, BuildsTheRecordedSphereAndTubes) {
    const struct { int kind, textured; std::vector<float> params; const char* digest; } recorded[] = {
        {PrimitiveSolid::SPHERE, 1, {50, 0, 50, 100, 32, 32}, "32 meshes 4224 vertices c84dda6adce38cf5"},
        {PrimitiveSolid::TUBE, 0, {1, 2, 3, .5, 4, 7, 3, .25, 6, 2, .1f, .6f}, "1 meshes 14 vertices a82234061c282679"},
        {PrimitiveSolid::TUBE, 1, {0, 0, 0, 1, 0, 1, 0, 1, 4, 0, 0, 0}, "1 meshes 20 vertices d5485272a3af1013"},
    };
    for (auto k : recorded) {
        PrimitiveSolid solid(k.kind, k.textured, k.params.data());
        Digest d;
        d.addMeshes(solid.meshes);
        EXPECT_EQ(d.text(), k.digest) << "kind " << k.kind << ", textured " << k.textured;
    }
}

TEST(PrimitiveSolid, ASphereStartsAtItsTopPoleAndATubeAlternatesItsRingsInHorizontalPlanesWithTheirTags) {
    float sphereParams[] = {50, 0, 40, 100, 8, 8}, tubeParams[] = {1, 2, 3, 0.5f, 4, 7, 3, 0.25f, 6, 2, 0.1f, 0.6f};
    PrimitiveSolid sphere(PrimitiveSolid::SPHERE, 0, sphereParams), tube(PrimitiveSolid::TUBE, 0, tubeParams);
    Mesh *band = static_cast<Mesh*>(sphere.meshes->at(0)), *strip = static_cast<Mesh*>(tube.meshes->at(0));
    EXPECT_EQ(vertexAt(sphere.meshes, 0, 0)->countDifferences(point(50, 100, 40)), 0);
    EXPECT_EQ(std::make_pair(band->primitive(), strip->primitive()), std::make_pair(GL_TRIANGLE_STRIP, GL_TRIANGLE_STRIP));
    int k = 0;
    for (Vertex* v : items<Vertex>(strip->vertices)) {
        const bool top = k++ % 2 == 1;
        EXPECT_EQ((std::vector<float>{v->get(1), v->tag, v->swayWeight}),
                  (top ? std::vector<float>{7, 3, 0.6f} : std::vector<float>{2, 2, 0.1f})) << k;
    }
    EXPECT_EQ(k, 14);
}

TEST(CountBelow, CountsTheWholeNumbersFromZeroBelowAFloat) {
    // Among them the extremes of the tree's 5u + 4 leaves and 5u + 3 side branches.
    const std::pair<float, int> table[] = {{-2, 0}, {0, 0}, {1e-7f, 1}, {0.5f, 1}, {1, 1}, {1.0001f, 2}, {7.99f, 8}, {8.99f, 9}};
    for (auto [n, count] : table) EXPECT_EQ(countBelow(n), count) << n;
}
