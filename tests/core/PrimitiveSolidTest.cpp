// Spheres and tubes: the recorded geometry, and the rules a recording could not vouch for.
#include "core/PrimitiveSolid.h"
#include "tests/support/Digest.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

// Recorded after every tube vertex was checked against its circle, tag and weight, the textured
// tube's alternating texture coordinates, the closing of a three-sided tube, and the dome's strip
// counts, radius, pole, seam, azimuth and texture coordinates from pole to pole.
TEST(PrimitiveSolid, BuildsTheRecordedSphereAndTubes) {
    const struct {
        int kind, textured;
        std::vector<float> params;
        const char* digest;
    } recorded[] = {
        {PrimitiveSolid::SPHERE, 1, {50, 0, 50, 100, 32, 32}, "32 meshes 4224 vertices c84dda6adce38cf5"},
        {PrimitiveSolid::TUBE, 0, {1, 2, 3, .5f, 4, 7, 3, .25f, 6, 2, .1f, .6f}, "1 meshes 14 vertices a82234061c282679"},
        {PrimitiveSolid::TUBE, 1, {0, 0, 0, 1, 0, 1, 0, 1, 4, 0, 0, 0}, "1 meshes 20 vertices d5485272a3af1013"},
    };
    for (auto k : recorded) {
        PrimitiveSolid solid(k.kind, k.textured, k.params.data());
        Digest d;
        d.addMeshes(solid.meshes);
        EXPECT_EQ(d.text(), k.digest) << "kind " << k.kind << ", textured " << k.textured;
    }
}

TEST(PrimitiveSolid, ASphereIsStripsFromItsTopPole) {
    float params[] = {50, 0, 40, 100, 8, 8};
    PrimitiveSolid sphere(PrimitiveSolid::SPHERE, 0, params);
    Mesh* first = static_cast<Mesh*>(sphere.meshes->at(0));
    EXPECT_EQ(first->primitive(), GL_TRIANGLE_STRIP);
    EXPECT_EQ(static_cast<Vertex*>(first->vertices->at(0))->countDifferences(new Vertex(makePoint(50, 100, 40))), 0);
}

TEST(PrimitiveSolid, ATubeAlternatesItsBottomAndTopRingsInHorizontalPlanesWithTheirTagsAndWeights) {
    float params[] = {1, 2, 3, 0.5f, 4, 7, 3, 0.25f, 6, 2, 0.1f, 0.6f};
    PrimitiveSolid tube(PrimitiveSolid::TUBE, 0, params);
    Mesh* strip = static_cast<Mesh*>(tube.meshes->at(0));
    EXPECT_EQ(strip->primitive(), GL_TRIANGLE_STRIP);
    int k = 0;
    for (Vertex* v : items<Vertex>(strip->vertices)) {
        const bool top = k++ % 2 == 1;
        EXPECT_EQ((std::vector<float>{v->get(1), v->tag, v->swayWeight}),
                  (top ? std::vector<float>{7, 3, 0.6f} : std::vector<float>{2, 2, 0.1f})) << k;
    }
    EXPECT_EQ(k, 14);
}
