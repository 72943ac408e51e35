// The deciduous tree: its geometry per seed, its side-branch directions, its trunk, branches and wind groups.
#include "core/Random.h"
#include "tests/support/Digest.h"
#include "vegetation/DeciduousTree.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

float tint[3] = {1, 1, 1};
const float POSITION[3] = {40.0f, 3.5f, 60.0f};

DeciduousTree* grow(unsigned seed) {
    std::srand(seed);
    testing::internal::CaptureStdout();
    DeciduousTree* tree = new DeciduousTree(POSITION, tint);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "generuji listnac [hotovo]\n");
    return tree;
}

// These digests were matched by a separate step-by-step re-implementation of the growth rules (the
// same draws, tubes, leaves and wind groups) for seeds 1, 2, 3, 7, 11, 42, 99 and 1234.
TEST(DeciduousTree, GrowsTheSameTreeFromTheSameSeed) {
    const std::pair<unsigned, const char*> expected[] = {{1, "366 meshes 3802 vertices 32508a3f3978581b"},
                                                         {3, "193 meshes 1928 vertices 78ef7b1057ddb756"},
                                                         {42, "1127 meshes 11536 vertices bdc69aed0c0ebdff"}};
    for (auto [seed, text] : expected) {
        DeciduousTree* tree = grow(seed);
        Digest digest;
        digest.addWindRegistration(tree);
        digest.addNextRandom();
        for (Mesh* face : items<Mesh>(tree->faces)) digest.add(face);
        EXPECT_EQ(digest.text(), text) << "seed " << seed;
        delete tree;
    }
}

TEST(DeciduousTree, SideDirectionTurnsAcrossTheAxisOfLargestWholePart) {
    // All three parts truncate to 0; then 3 and -3 tie. The earlier axis wins and takes the next one's value.
    const struct { float v[3]; int axis; } cases[] = {{{0.5f, -0.9f, 0.3f}, 0}, {{1.2f, -3.7f, 3.9f}, 1}};
    for (const auto& c : cases) {
        std::srand(17);
        float* r = DeciduousTree::sideDirection(c.v);
        std::srand(17);
        for (int draw = 0; draw <= 2 * c.axis; ++draw) randomUnit();  // the azimuth, two per earlier axis
        const float jittered = static_cast<float>(c.v[(c.axis + 1) % 3] + 0.5 * randomUnit());
        EXPECT_EQ(r[c.axis], static_cast<float>((randomUnit() + 1) * jittered * 0.5)) << c.axis;
        delete[] r;
    }
}

TEST(DeciduousTree, TrunkFirstThenTaperingBranchesWithLeavesSwayingInGroupFour) {
    DeciduousTree* tree = grow(5);
    std::srand(5);
    const std::array<float, 3> jitter = randomOffset(2.5);
    const float sway = static_cast<float>(0.2 * randomUnit());
    const float top[3] = {POSITION[0] + jitter[0], POSITION[1] + (15 + jitter[1]), POSITION[2] + jitter[2]};
    SwayGroups wind;
    tree->attachToWind(&wind);
    int face = 0, level = 4, finestLeaves = 0;
    for (Mesh* mesh : items<Mesh>(tree->faces)) {
        auto v = [&](int k) { return static_cast<Vertex*>(mesh->vertices->at(k)); };
        if (mesh->vertexCount() == 3) {
            ASSERT_GT(face, 1) << "the trunk comes first and bears no leaves";
            finestLeaves += level == 1;
            for (int k = 0; k < 3; ++k) EXPECT_TRUE(wind.groups[4].contains(v(k))) << "face " << face;
        } else {
            level = 4 - static_cast<int>(v(0)->tag);
            ASSERT_GE(level, 1) << "face " << face;
            // Corners 1 and 7 stand opposite on the top ring, which narrows to a point at level 1.
            EXPECT_NEAR(v(1)->get(0) - v(7)->get(0), 0.28 * (level - 1), 1e-5) << "face " << face;
        }
        for (int k = 0; k < 14 && face == 0; ++k) {
            const float* centre = k % 2 ? top : POSITION;
            EXPECT_EQ(v(k)->get(1), centre[1]);
            EXPECT_NEAR(std::hypot(v(k)->get(0) - centre[0], v(k)->get(2) - centre[2]), 0.56 - 0.14 * (k % 2), 1e-5);
            EXPECT_EQ(v(k)->tag, k % 2);
            EXPECT_EQ(v(k)->swayWeight, k % 2 ? sway : 0.0f);
        }
        ++face;
    }
    EXPECT_GT(finestLeaves, 0);
    delete tree;
}

}  // namespace
