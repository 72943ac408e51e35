// Spheres and tubes: mesh and vertex counts, where the vertices lie, their tags and weights.
#include "core/Mesh.h"
#include "core/PrimitiveSolid.h"

#include <GL/gl.h>
#include "tests/support/Digest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

std::vector<Mesh*> meshesOf(PrimitiveSolid& solid) {
    std::vector<Mesh*> meshes;
    Cursor* cursor = solid.rewind();
    while (cursor->hasNext()) meshes.push_back(static_cast<Mesh*>(cursor->next()));
    return meshes;
}

Vertex* at(List* list, int i) { return static_cast<Vertex*>(list->at(i)); }

TEST(Sphere, TheSkyDomeIsThirtyTwoTexturedStripsFromThePole) {
    float params[] = {50, 0, 50, 100, 32, 32};
    PrimitiveSolid dome(PrimitiveSolid::SPHERE, 1, params);
    std::vector<Mesh*> bands = meshesOf(dome);
    ASSERT_EQ(bands.size(), 32u);
    for (Mesh* band : bands) {
        EXPECT_FALSE(band->autoMode);
        EXPECT_EQ(band->mode, GL_TRIANGLE_STRIP);
        ASSERT_TRUE(band->textured);
        EXPECT_EQ(band->vertexCount(), 66);
        EXPECT_EQ(band->texCoords->count(), 66);
        for (ListNode* node = band->vertices->first; node != nullptr; node = node->next) {
            Vertex* v = static_cast<Vertex*>(node->payload);
            EXPECT_NEAR(std::hypot(v->get(0) - 50, v->get(1), v->get(2) - 50), 100, 1e-3);
        }
    }
    Vertex* pole = at(bands[0]->vertices, 0);
    EXPECT_NEAR(pole->get(0), 50, 1e-5);
    EXPECT_FLOAT_EQ(pole->get(1), 100);
    EXPECT_NEAR(pole->get(2), 50, 1e-5);
    EXPECT_EQ(at(bands[0]->texCoords, 0)->get(0), 0);
    EXPECT_EQ(at(bands[0]->texCoords, 0)->get(1), 0);
    // Upper ring first in every pair; t runs from the top pole to the bottom pole.
    EXPECT_NEAR(at(bands[0]->texCoords, 1)->get(1), 1.0 / 32, 1e-6);
    EXPECT_NEAR(at(bands[31]->vertices, 1)->get(1), -100, 1e-3);
    EXPECT_NEAR(at(bands[31]->texCoords, 1)->get(1), 1, 1e-5);
    // phi = 0 points to -z, a quarter turn to +x, and the band closes where it began.
    Vertex* equator = at(bands[16]->vertices, 0);
    EXPECT_NEAR(equator->get(2), -50, 1e-3);
    Vertex* east = at(bands[16]->vertices, 16);
    EXPECT_NEAR(east->get(0), 150, 1e-3);
    EXPECT_NEAR(at(bands[16]->texCoords, 16)->get(0), 0.25, 1e-6);
    Vertex* last = at(bands[16]->vertices, 64);
    EXPECT_NEAR(last->get(0), equator->get(0), 1e-3);
    EXPECT_NEAR(last->get(2), equator->get(2), 1e-3);
    EXPECT_NEAR(at(bands[16]->texCoords, 64)->get(0), 1, 1e-5);
    // Each band's upper ring is, bit for bit, the ring below the band above.
    EXPECT_EQ(at(bands[5]->vertices, 8)->countDifferences(at(bands[4]->vertices, 9)), 0);
}

TEST(Sphere, TheSunIsSixteenUntexturedStrips) {
    float params[] = {0, 0, 0, 5, 16, 16};
    PrimitiveSolid sun(PrimitiveSolid::SPHERE, 0, params);
    std::vector<Mesh*> bands = meshesOf(sun);
    ASSERT_EQ(bands.size(), 16u);
    for (Mesh* band : bands) {
        EXPECT_EQ(band->vertexCount(), 34);
        EXPECT_FALSE(band->textured);
        EXPECT_EQ(band->texCoords, nullptr);
    }
}

TEST(Tube, IsOneStripBetweenTwoHorizontalCircles) {
    float params[] = {1, 2, 3, 0.5f, 4, 7, 3, 0.25f, 6, 2, 0.1f, 0.6f};
    PrimitiveSolid tube(PrimitiveSolid::TUBE, 0, params);
    std::vector<Mesh*> meshes = meshesOf(tube);
    ASSERT_EQ(meshes.size(), 1u);
    Mesh* strip = meshes[0];
    EXPECT_EQ(strip->mode, GL_TRIANGLE_STRIP);
    ASSERT_EQ(strip->vertexCount(), 14);
    for (int k = 0; k <= 6; ++k) {
        Vertex* bottom = at(strip->vertices, 2 * k);
        Vertex* top = at(strip->vertices, 2 * k + 1);
        const double phi = k * 2 * M_PI / 6;
        EXPECT_NEAR(bottom->get(0), 1 + 0.5 * std::cos(phi), 1e-5);
        EXPECT_EQ(bottom->get(1), 2);
        EXPECT_NEAR(bottom->get(2), 3 - 0.5 * std::sin(phi), 1e-5);
        EXPECT_NEAR(top->get(0), 4 + 0.25 * std::cos(phi), 1e-5);
        EXPECT_EQ(top->get(1), 7);
        EXPECT_NEAR(top->get(2), 3 - 0.25 * std::sin(phi), 1e-5);
        EXPECT_EQ(bottom->tag, 2);
        EXPECT_EQ(top->tag, 3);
        EXPECT_EQ(bottom->swayWeight, 0.1f);
        EXPECT_EQ(top->swayWeight, 0.6f);
    }
}

TEST(Tube, ThreeSlicesCloseTheirLastSide) {
    float params[] = {0, 0, 0, 1, 0, 1, 0, 1, 3, 0, 0, 0};
    PrimitiveSolid tube(PrimitiveSolid::TUBE, 0, params);
    Mesh* strip = meshesOf(tube)[0];
    ASSERT_EQ(strip->vertexCount(), 8);
    for (int i = 0; i < 2; ++i)
        for (int axis = 0; axis < 3; ++axis)
            EXPECT_NEAR(at(strip->vertices, 6 + i)->get(axis), at(strip->vertices, i)->get(axis), 1e-5);
}

TEST(Tube, TexturedSidesAlternateTheirCoordinates) {
    float params[] = {0, 0, 0, 1, 0, 1, 0, 1, 4, 0, 0, 0};
    PrimitiveSolid tube(PrimitiveSolid::TUBE, 1, params);
    Mesh* strip = meshesOf(tube)[0];
    ASSERT_TRUE(strip->textured);
    for (int k = 0; k <= 4; ++k) {
        EXPECT_EQ(at(strip->texCoords, 2 * k)->get(0), k % 2);
        EXPECT_EQ(at(strip->texCoords, 2 * k)->get(1), 0);
        EXPECT_EQ(at(strip->texCoords, 2 * k + 1)->get(0), k % 2);
        EXPECT_EQ(at(strip->texCoords, 2 * k + 1)->get(1), 1);
    }
}

TEST(PrimitiveSolidLifecycle, UnknownKindsBuildNothingAndRebuildsReplace) {
    float sphere[] = {0, 0, 0, 1, 4, 4};
    PrimitiveSolid solid(3, 0, sphere);
    EXPECT_TRUE(meshesOf(solid).empty());

    float tube[] = {0, 0, 0, 1, 0, 1, 0, 1, 3, 0, 0, 0};
    solid.reset();
    solid.build(PrimitiveSolid::SPHERE, 1, sphere);
    EXPECT_EQ(meshesOf(solid).size(), 4u);
    std::vector<Mesh*> kept = meshesOf(solid);
    solid.reset();
    EXPECT_FALSE(solid.textured);
    solid.build(PrimitiveSolid::TUBE, 0, tube);
    ASSERT_EQ(meshesOf(solid).size(), 1u);
    EXPECT_EQ(meshesOf(solid)[0]->vertexCount(), 8);
    // The meshes of the earlier build survive the reset: whoever took them keeps them.
    EXPECT_EQ(kept[0]->vertexCount(), 10);
}

// Recorded after every tube vertex was checked against its circle, tag and weight, the textured
// tube's alternating coordinates, and the dome's radius, pole, seam and texture coordinates.
TEST(PrimitiveSolidDigest, BuildsTheRecordedSphereAndTubes) {
    struct Case {
        int kind, textured;
        std::vector<float> params;
        const char* digest;
    } recorded[] = {
        {PrimitiveSolid::SPHERE, 1, {50, 0, 50, 100, 32, 32}, "32 meshes 4224 vertices c84dda6adce38cf5"},
        {PrimitiveSolid::TUBE, 0, {1, 2, 3, 0.5f, 4, 7, 3, 0.25f, 6, 2, 0.1f, 0.6f}, "1 meshes 14 vertices a82234061c282679"},
        {PrimitiveSolid::TUBE, 1, {0, 0, 0, 1, 0, 1, 0, 1, 4, 0, 0, 0}, "1 meshes 20 vertices d5485272a3af1013"},
    };
    for (Case& c : recorded) {
        PrimitiveSolid solid(c.kind, c.textured, c.params.data());
        Digest d;
        d.addMeshes(solid.meshes);
        EXPECT_EQ(d.text(), c.digest) << c.kind << " " << c.textured;
    }
}

}  // namespace
