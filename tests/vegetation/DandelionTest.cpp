// The dandelion: its recorded plants, the shape of its leaves, stems and heads, and its sway weights.
#include "tests/support/Digest.h"
#include "vegetation/Dandelion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

float tint[3] = {1, 1, 1};
const float ground[3] = {40, 3, 60};

Dandelion* grow(unsigned seed) {
    std::srand(seed);
    testing::internal::CaptureStdout();
    Dandelion* plant = new Dandelion(ground, tint);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "generuji pampelisku [hotovo]\n");
    return plant;
}

float at(Mesh* mesh, int v, int i) { return static_cast<Vertex*>(mesh->vertices->at(v))->get(i); }
Vertex* at(Mesh* mesh, int v) { return static_cast<Vertex*>(mesh->vertices->at(v)); }
float across(Vertex* a, Vertex* b) { return std::hypot(a->get(0) - b->get(0), a->get(2) - b->get(2)); }

TEST(Dandelion, GrowsTheRecordedPlants) {
    // Recorded once a separate, plain re-implementation of the generator's rules gave the same digest
    // for every seed from 1 to 20000: plants of 6 to 9 leaves, 1 to 4 stems, heads of 101 to 503 petals.
    const char* recorded[] = {"0 meshes 602 vertices 34cd979aaa4bbd02",
                              "0 meshes 1717 vertices 3d0662ba25d3b931",
                              "0 meshes 2839 vertices 9465ffe8fcf0cf81"};
    for (unsigned seed = 1; seed <= 3; ++seed) {
        Dandelion* plant = grow(seed);
        Digest sum;
        sum.addWindRegistration(plant);
        sum.addNextRandom();
        EXPECT_EQ(sum.text(), recorded[seed - 1]) << "seed " << seed;
        delete plant;
    }
}

TEST(Dandelion, LeavesAndStemsAreSevenSegmentsChainingTheirSwayWeights) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        Dandelion* plant = grow(seed);
        for (LeafSegment* leaf : items<LeafSegment>(plant->leaves)) {
            // Corners at the ground point -+ W, W = (-d.z, rise, d.x) with d 0.8 long across and 0.4 to
            // 0.8 up; the tip at 0.8 (d + a jitter of up to 0.04 a component) from the ground point.
            Mesh* m = leaf->segmentMesh;
            for (int i = 0; i < 3; ++i) EXPECT_NEAR(at(m, 0, i) + at(m, 1, i), 2 * ground[i], 1e-4);
            const double dx = at(m, 0, 2) - ground[2], dz = ground[0] - at(m, 0, 0);
            EXPECT_NEAR(std::hypot(dx, dz), 0.8, 1e-4);
            EXPECT_NEAR(at(m, 0, 1) - ground[1], 0.4, 0.4);
            EXPECT_LT(std::hypot(at(m, 2, 0) - ground[0] - 0.8 * dx, at(m, 2, 2) - ground[2] - 0.8 * dz), 0.046);
            EXPECT_NEAR(at(m, 2, 1) - ground[1], 0.8 * 0.6, 0.8 * (0.2 + 0.04));
            int level = 6;
            float weight = 0;
            for (LeafSegment* s = leaf; s != nullptr; s = s->nextSegment, --level) {
                // Groups are the tags: base corners 7 - level, the tip one lower.
                for (int i = 0; i < 3; ++i) EXPECT_EQ(at(s->segmentMesh, i)->tag, (i < 2 ? 7 : 6) - level);
                for (int i = 0; i < 2; ++i) EXPECT_EQ(at(s->segmentMesh, i)->swayWeight, weight);
                weight = at(s->segmentMesh, 2)->swayWeight;
            }
            EXPECT_EQ(level, -1);
        }
        EXPECT_GE(plant->stems->count(), 1);
        for (StemSegment* stem : items<StemSegment>(plant->stems)) {
            int level = 6;
            float weight = 0;
            for (StemSegment* s = stem; s != nullptr; s = s->nextSegment, --level) {
                Mesh* tube = s->segmentMesh;
                ASSERT_EQ(tube->vertexCount(), 14);
                // Rings alternate, bottom first; three slices apart, a ring's points are a diameter apart.
                for (int k = 0; k < 6; ++k) EXPECT_NEAR(across(at(tube, k), at(tube, k + 6)), 0.28, 1e-5);
                for (int k = 0; k < 7; ++k) EXPECT_EQ(at(tube, 2 * k)->swayWeight, weight);
                weight = at(tube, 1)->swayWeight;
                ASSERT_EQ(s->head != nullptr, level == 0);
                if (s->head == nullptr) continue;
                for (Mesh* petal : items<Mesh>(s->head->faces)) EXPECT_EQ(at(petal, 0)->swayWeight, weight);
            }
            EXPECT_EQ(level, -1);
        }
        delete plant;
    }
}

TEST(FlowerHead, SpiralStepSetsThePetalCount) {
    // A head's first draw sets its step: seed 121 draws -1 (step 0.05), seed 1669 draws 0.998 (0.2498).
    const float centre[3] = {0, 0, 0}, direction[3] = {0.1f, 0.6f, 0.1f};
    std::srand(121);
    EXPECT_EQ(FlowerHead(centre, direction, tint, 0).faces->count(), 503);
    std::srand(1669);
    EXPECT_EQ(FlowerHead(centre, direction, tint, 0).faces->count(), 101);
}

}  // namespace
