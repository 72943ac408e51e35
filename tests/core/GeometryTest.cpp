// Lists, vertices, the random-number function and meshes.
#include "core/Mesh.h"
#include "core/Random.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <set>

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
    const struct {
        std::vector<void*> start;
        int index;
        std::vector<void*> expected;
    } cases[] = {{{}, 0, {}}, {{&a, &c}, 0, {&b, &a, &c}}, {{&a, &c}, 1, {&a, &b, &c}}, {{&a, &c}, 2, {&a, &c}},
                 {{&a, &c}, -1, {&a, &c}}};
    for (const auto& k : cases) {
        List list;
        for (void* p : k.start) list.append(p);
        list.insertAt(k.index, &b);
        // Forwards through the cursor, and backwards through the prev links.
        std::vector<void*> forwards, backwards;
        for (Cursor* cursor = list.rewind(); cursor->hasNext();) forwards.push_back(cursor->next());
        for (ListNode* node = list.last; node != nullptr; node = node->prev) backwards.insert(backwards.begin(), node->payload);
        EXPECT_EQ(forwards, k.expected) << "index " << k.index;
        EXPECT_EQ(backwards, k.expected) << "index " << k.index;
        EXPECT_EQ(list.count(), static_cast<int>(k.expected.size())) << "index " << k.index;
    }
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
    float flat[3] = {1, 2, 0};
    Vertex two(2, flat);
    Object plain;
    EXPECT_FALSE(point(1, 2, 0)->equals(&two) || point(NAN, 0, 0)->equals(point(NAN, 0, 0)) || receiver->equals(&plain));
}

TEST(RandomUnit, YieldsTheThousandStepsFromMinusOneBelowOneAndFollowsTheSeed) {
    std::srand(1234);
    std::set<long> steps;
    for (int i = 0; i < 200000; ++i) {
        const double step = (randomUnit() + 1.0) / 0.002;
        ASSERT_NEAR(step, std::round(step), 1e-9);
        steps.insert(std::lround(step));
    }
    EXPECT_EQ(steps.size(), 1000u);
    EXPECT_EQ(std::make_pair(*steps.begin(), *steps.rbegin()), std::make_pair(0L, 999L));
    std::srand(42);
    const double first = randomUnit();
    std::srand(42);
    EXPECT_EQ(randomUnit(), first);
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
    EXPECT_EQ(first->countDifferences(point(5, 6, 7)), 0);
    EXPECT_EQ(first->tag, 3);
    EXPECT_EQ(twin->countDifferences(point(1, 0, 0)) + key->countDifferences(point(1, 0, 0)), 0);
}

TEST(MeshSubdivide, SplitsAQuadIntoFourChildrenAroundOneCentreAndCollectsClonesOfTheNewCorners) {
    VertexSet collector;
    Mesh* parent = polygon();
    List* children = parent->subdivide(&collector);
    // Child i starts at corner i and winds like its parent, with the shared centre opposite corner i.
    const float expected[4][4][2] = {{{0, 0}, {.5f, 0}, {.5f, .5f}, {0, .5f}}, {{.5f, 0}, {1, 0}, {1, .5f}, {.5f, .5f}},
                                     {{.5f, .5f}, {1, .5f}, {1, 1}, {.5f, 1}}, {{0, .5f}, {.5f, .5f}, {.5f, 1}, {0, 1}}};
    ASSERT_EQ(children->count(), 4);
    std::vector<Vertex*> corners;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            Vertex* v = vertexAt(children, i, j);
            EXPECT_EQ(v->countDifferences(point(expected[i][j][0], 0, expected[i][j][1])), 0) << i << " " << j;
            if (j == (i + 2) % 4) EXPECT_EQ(v, vertexAt(children, 0, 2)) << "one centre for all";
            else corners.push_back(v);
        }
    EXPECT_NE(corners[0], parent->vertices->at(0)) << "even the corners are new vertices";
    // Twelve clones of the new corners in order, marked, each with storage of its own.
    ASSERT_EQ(collector.count(), 12);
    for (int k = 0; k < 12; ++k) {
        Vertex* clone = static_cast<Vertex*>(collector.members->at(k));
        EXPECT_TRUE(clone->isMarked() && clone->components != corners[k]->components) << k;
        EXPECT_EQ(clone->countDifferences(corners[k]), 0) << k;
    }
}

TEST(MeshSubdivide, NeighbouringChildrenBuildTheirSharedCornersBitForBit) {
    Mesh mesh;
    for (Vertex* v : {point(0.1f, 0.7f, 0.3f), point(1.9f, 0.2f, 0.3f), point(2.3f, 1.1f, 2.7f), point(0.3f, 0.9f, 1.7f)})
        mesh.addVertex(v);
    VertexSet collector;
    List* children = mesh.subdivide(&collector);
    // Child i's corner towards i + 1 is built again by child i + 1, from the same corners in the other order.
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(vertexAt(children, i, (i + 1) % 4)->countDifferences(vertexAt(children, (i + 1) % 4, i)), 0) << i;
    // The centre is the single-precision sum in corner order, times a quarter.
    float sum = 0.7f;
    for (float y : {0.2f, 1.1f, 0.9f}) sum += y;
    EXPECT_EQ(vertexAt(children, 0, 2)->get(1), sum * 0.25f);
}
