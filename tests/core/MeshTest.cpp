// Vertex sets and meshes: membership, editing, the text dump and four-way subdivision.
#include "core/Mesh.h"
#include "core/VertexSet.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

Vertex* point(float x, float y, float z) { return new Vertex(makePoint(x, y, z)); }

std::vector<Vertex*> verticesOf(List* list) {
    std::vector<Vertex*> items;
    for (ListNode* node = list->first; node != nullptr; node = node->next)
        items.push_back(static_cast<Vertex*>(node->payload));
    return items;
}

void expectAt(Vertex* v, float x, float y, float z) {
    EXPECT_EQ(v->get(0), x);
    EXPECT_EQ(v->get(1), y);
    EXPECT_EQ(v->get(2), z);
}

Mesh* unitSquare() {
    Mesh* mesh = new Mesh;
    mesh->addVertex(point(0, 0, 0));
    mesh->addVertex(point(1, 0, 0));
    mesh->addVertex(point(1, 0, 1));
    mesh->addVertex(point(0, 0, 1));
    return mesh;
}

TEST(VertexSetMembership, AddsAVertexOnceAndMarksIt) {
    VertexSet set;
    Vertex* v = point(1, 2, 3);
    set.add(v);
    set.add(v);
    EXPECT_EQ(set.count(), 1);
    EXPECT_TRUE(v->isMarked());

    VertexSet other;
    other.add(v);
    EXPECT_EQ(other.count(), 0);
    set.unmarkAll();
    EXPECT_FALSE(v->isMarked());
    EXPECT_EQ(set.count(), 1);
    other.add(v);
    EXPECT_EQ(other.count(), 1);
}

TEST(VertexSetMembership, ContainsMeansSameStorageNotEqualValues) {
    VertexSet set;
    Vertex* v = point(1, 2, 3);
    set.add(v);
    EXPECT_FALSE(set.contains(point(1, 2, 3)));
    Vertex sharing(v->components);
    EXPECT_TRUE(set.contains(&sharing));
}

TEST(VertexSetEquality, ComparesMembersByValueAndCopiesTheLastMatch) {
    VertexSet mine, theirs;
    Vertex* first = point(1, 1, 1);
    Vertex* twin = point(1, 1, 1);
    first->tag = 2;
    twin->tag = 5;
    mine.add(first);
    mine.add(twin);
    Vertex* m = point(1, 1, 1);
    Vertex* n = point(1, 1, 1);
    theirs.add(m);
    theirs.add(n);
    EXPECT_TRUE(mine.equals(&theirs));
    EXPECT_EQ(m->tag, 5);

    VertexSet shorter;
    EXPECT_FALSE(mine.equals(&shorter));
    VertexSet empty1, empty2;
    EXPECT_TRUE(empty1.equals(&empty2));

    VertexSet off;
    off.add(point(1, 1, 1));
    off.add(point(9, 9, 9));
    EXPECT_FALSE(mine.equals(&off));
}

TEST(MeshPrimitive, AutomaticModeFollowsTheVertexCount) {
    Mesh mesh;
    const int expected[] = {GL_POLYGON, GL_POINTS, GL_LINES, GL_TRIANGLES, GL_QUADS, GL_POLYGON, GL_POLYGON};
    for (int count = 0; count < 7; ++count) {
        EXPECT_EQ(mesh.primitive(), expected[count]) << count << " vertices";
        mesh.addVertex(point(count, 0, 0));
    }
}

TEST(MeshPrimitive, ExplicitModeHoldsUntilTheVerticesAreCleared) {
    Mesh strip(GL_TRIANGLE_STRIP);
    for (int i = 0; i < 4; ++i) strip.addVertex(point(i, 0, 0));
    EXPECT_EQ(strip.primitive(), GL_TRIANGLE_STRIP);
    strip.clearVertices();
    EXPECT_TRUE(strip.autoMode);
    EXPECT_EQ(strip.vertexCount(), 0);
    strip.setMode(GL_QUAD_STRIP);
    EXPECT_EQ(strip.primitive(), GL_QUAD_STRIP);
}

TEST(MeshEditing, TexturedInsertionsKeepCoordinatesAligned) {
    Mesh mesh;
    mesh.enableTexture();
    Vertex *v0 = point(0, 0, 0), *v1 = point(1, 0, 0), *v2 = point(2, 0, 0);
    Vertex *t0 = point(0, 0, 0), *t1 = point(1, 1, 0), *t2 = point(2, 2, 0);
    mesh.append(v0, t0);
    mesh.append(v2, t2);
    mesh.insertAt(1, t1, v1);
    mesh.insertAt(3, t1, v1);
    EXPECT_EQ(verticesOf(mesh.vertices), (std::vector<Vertex*>{v0, v1, v2}));
    EXPECT_EQ(verticesOf(mesh.texCoords), (std::vector<Vertex*>{t0, t1, t2}));

    Mesh plain;
    plain.append(v0, t0);
    plain.insertVertexAt(0, v1);
    plain.insertAt(0, t1, v2);
    EXPECT_EQ(plain.texCoords, nullptr);
    EXPECT_EQ(verticesOf(plain.vertices), (std::vector<Vertex*>{v2, v1, v0}));
}

TEST(MeshMoveVertex, MovesOnlyTheFirstMatchAndCopiesAttributesOnValueMatch) {
    Mesh mesh;
    Vertex* first = point(1, 1, 1);
    Vertex* second = point(1, 1, 1);
    mesh.addVertex(point(0, 0, 0));
    mesh.addVertex(first);
    mesh.addVertex(second);
    Vertex* key = point(1, 1, 1);
    key->tag = 3;
    key->swayWeight = 0.25f;
    mesh.moveVertex(key, point(5, 6, 7));
    expectAt(first, 5, 6, 7);
    expectAt(second, 1, 1, 1);
    EXPECT_EQ(first->tag, 3);
    EXPECT_EQ(first->swayWeight, 0.25f);
    expectAt(key, 1, 1, 1);

    mesh.moveVertex(point(9, 9, 9), point(0, 0, 0));
    expectAt(second, 1, 1, 1);
}

TEST(MeshDump, PrintsTheCountOrModeAroundTheVertices) {
    Mesh* quad = unitSquare();
    testing::internal::CaptureStdout();
    quad->dump();
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "\t<4>\n\t\t"
              "[     0.00 :     0.00 :     0.00 ] unchecked\n\t\t"
              "[     1.00 :     0.00 :     0.00 ] unchecked\n\t\t"
              "[     1.00 :     0.00 :     1.00 ] unchecked\n\t\t"
              "[     0.00 :     0.00 :     1.00 ] unchecked"
              "\n\t</4>\n");
    Mesh strip(GL_TRIANGLE_STRIP);
    strip.addVertex(point(1, 2, 3));
    testing::internal::CaptureStdout();
    strip.dump();
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "\t<5>\n\t\t[     1.00 :     2.00 :     3.00 ] unchecked\n\t</5>\n");
}

TEST(MeshSubdivide, RefusesAnythingButAnAutomaticQuad) {
    VertexSet collector;
    Mesh triangle;
    for (int i = 0; i < 3; ++i) triangle.addVertex(point(i, 0, 0));
    Mesh pentagon;
    for (int i = 0; i < 5; ++i) pentagon.addVertex(point(i, 0, 0));
    Mesh strip(GL_TRIANGLE_STRIP);
    for (int i = 0; i < 4; ++i) strip.addVertex(point(i, 0, 0));
    for (Mesh* mesh : {&triangle, &pentagon, &strip}) {
        List* children = mesh->subdivide(&collector);
        EXPECT_EQ(children->count(), 0);
        delete children;
    }
    EXPECT_EQ(collector.count(), 0);
}

TEST(MeshSubdivide, SplitsTheUnitSquareIntoFourWindingChildren) {
    Mesh* square = unitSquare();
    std::vector<Vertex*> parent = verticesOf(square->vertices);
    VertexSet collector;
    List* children = square->subdivide(&collector);
    ASSERT_EQ(children->count(), 4);

    const float expected[4][4][3] = {
        {{0, 0, 0}, {0.5f, 0, 0}, {0.5f, 0, 0.5f}, {0, 0, 0.5f}},
        {{0.5f, 0, 0}, {1, 0, 0}, {1, 0, 0.5f}, {0.5f, 0, 0.5f}},
        {{0.5f, 0, 0.5f}, {1, 0, 0.5f}, {1, 0, 1}, {0.5f, 0, 1}},
        {{0, 0, 0.5f}, {0.5f, 0, 0.5f}, {0.5f, 0, 1}, {0, 0, 1}},
    };
    Vertex* centre = nullptr;
    std::vector<Vertex*> all;
    for (int i = 0; i < 4; ++i) {
        Mesh* child = static_cast<Mesh*>(children->at(i));
        EXPECT_TRUE(child->autoMode);
        EXPECT_FALSE(child->textured);
        std::vector<Vertex*> v = verticesOf(child->vertices);
        ASSERT_EQ(v.size(), 4u);
        for (int j = 0; j < 4; ++j) {
            SCOPED_TRACE(testing::Message() << "child " << i << " position " << j);
            expectAt(v[j], expected[i][j][0], expected[i][j][1], expected[i][j][2]);
            if (j == (i + 2) % 4) {
                if (centre == nullptr) centre = v[j];
                EXPECT_EQ(v[j], centre);
            } else {
                all.push_back(v[j]);
            }
        }
    }
    // Apart from the shared centre every child vertex is a new object, distinct from the parent's.
    for (size_t x = 0; x < all.size(); ++x) {
        for (size_t y = x + 1; y < all.size(); ++y) EXPECT_NE(all[x]->components, all[y]->components);
        for (Vertex* p : parent) EXPECT_NE(all[x], p);
    }

    // Twelve marked clones, in creation order, never the face vertices themselves.
    std::vector<Vertex*> clones = verticesOf(collector.members);
    ASSERT_EQ(clones.size(), 12u);
    for (size_t k = 0; k < clones.size(); ++k) {
        EXPECT_TRUE(clones[k]->isMarked());
        EXPECT_EQ(clones[k]->countDifferences(all[k]), 0);
        EXPECT_NE(clones[k]->components, all[k]->components);
    }
    EXPECT_FALSE(collector.contains(centre));
    // The parent is untouched.
    expectAt(parent[2], 1, 0, 1);
    EXPECT_EQ(square->vertexCount(), 4);
}

TEST(MeshSubdivide, NeighbouringChildrenShareCornersBitForBit) {
    Mesh mesh;
    mesh.addVertex(point(0.1f, 0.7f, 0.3f));
    mesh.addVertex(point(1.9f, 0.2f, 0.3f));
    mesh.addVertex(point(2.3f, 1.1f, 2.7f));
    mesh.addVertex(point(0.3f, 0.9f, 1.7f));
    VertexSet collector;
    List* children = mesh.subdivide(&collector);
    auto at = [&](int child, int position) {
        return verticesOf(static_cast<Mesh*>(children->at(child))->vertices)[position];
    };
    // M01 of child 0 and M10 of child 1 are built from the corners in opposite order.
    EXPECT_EQ(at(0, 1)->countDifferences(at(1, 0)), 0);
    EXPECT_EQ(at(1, 2)->countDifferences(at(2, 1)), 0);
    EXPECT_EQ(at(2, 3)->countDifferences(at(3, 2)), 0);
    EXPECT_EQ(at(3, 0)->countDifferences(at(0, 3)), 0);
    // The centre is the single-precision sum in corner order, times a quarter.
    float sum = 0.7f;
    sum += 0.2f;
    sum += 1.1f;
    sum += 0.9f;
    EXPECT_EQ(at(0, 2)->get(1), sum * 0.25f);
}

}  // namespace
