// The scene object base: roughening passes, and displacement that keeps neighbouring faces joined.
#include "core/Mesh.h"
#include "core/SceneObject.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

// A row of unit quads whose displaceable vertices are clones of the face corners, as the plants
// build themselves.
struct Slab : SceneObject {
    explicit Slab(int quads) {
        faces = new List;
        vertices = new VertexSet;
        position = makePoint(0, 0, 0);
        size = makePoint(3, 6, 9);
        for (int q = 0; q < quads; ++q) {
            Mesh* face = new Mesh;
            for (float* corner : {makePoint(q, 0, 0), makePoint(q + 1, 0, 0), makePoint(q + 1, 0, 1), makePoint(q, 0, 1)}) {
                Vertex* v = new Vertex(corner);
                face->addVertex(v);
                vertices->add(v->clone());
            }
            faces->append(face);
        }
    }
    Vertex* corner(int face, int i) { return static_cast<Vertex*>(static_cast<Mesh*>(faces->at(face))->vertices->at(i)); }
};

TEST(SceneObject, RougheningSplitsEveryQuadBeforeEachPassButTheFirst) {
    // Twelve new displaceable corners for every split face; none ever leaves the set.
    for (const auto& [passes, faces, vertices] : {std::array<int, 3>{-1, 2, 8}, {1, 2, 8}, {2, 8, 32}, {3, 32, 128}}) {
        Slab slab(2);
        slab.roughen(passes);
        EXPECT_EQ(std::make_pair(slab.faces->count(), slab.vertices->count()), std::make_pair(faces, vertices)) << passes;
    }
}

TEST(SceneObject, DisplacementMovesEveryFaceCornerWithTheFirstMemberAtItsPosition) {
    Slab slab(2);
    // Corner 1 of face 0 and corner 0 of face 1 coincide; so do their clones, members 1 and 4.
    Vertex *firstClone = static_cast<Vertex*>(slab.vertices->members->at(1)),
           *laterClone = static_cast<Vertex*>(slab.vertices->members->at(4));
    std::srand(3);
    slab.displace(0.5f);
    EXPECT_EQ(slab.corner(0, 1)->countDifferences(firstClone), 0);
    EXPECT_EQ(slab.corner(1, 0)->countDifferences(firstClone), 0) << "no seam opens between the faces";
    EXPECT_NE(laterClone->countDifferences(firstClone), 0) << "the later clone found nothing left to carry";
}
