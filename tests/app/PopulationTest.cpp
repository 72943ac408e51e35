// World population: the occupancy grid, the kinds, the order of the world, and its console lines.
#include "app/OccupancyGrid.h"
#include "app/Population.h"
#include "app/World.h"
#include "core/List.h"
#include "tests/support/WorldFixture.h"
#include "vegetation/Juniper.h"
#include "world/Sky.h"
#include "world/Terrain.h"
#include "world/Wind.h"

#include "tests/support/Digest.h"

#include <gtest/gtest.h>

#include <regex>
#include <vector>

namespace {

constexpr int N = 17;

TEST(OccupancyGrid, EachKindStandsOnlyWhereItsWholeAreaIsInside) {
    // Juniper (3): rows and columns 2 to 15; deciduous (5): 3 to 14; spruce (7): 4 to 13.
    const int sizes[] = {3, 5, 7}, lowest[] = {2, 3, 4}, highest[] = {15, 14, 13};
    OccupancyGrid grid(N);
    for (int k = 0; k < 3; ++k)
        for (int i = -1; i <= N; ++i)
            for (int j = -1; j <= N; ++j) {
                const bool inside = i >= lowest[k] && i <= highest[k] && j >= lowest[k] && j <= highest[k];
                ASSERT_EQ(grid.isAreaFree(i, j, sizes[k]), inside) << sizes[k] << " at " << i << "," << j;
            }
}

TEST(OccupancyGrid, OccupiesTheSquareAroundTheCellAndTestsOneMoreBelow) {
    OccupancyGrid grid(N);
    grid.occupyArea(8, 8, 5);
    for (int i = 0; i < N; ++i)
        for (int j = 0; j < N; ++j)
            EXPECT_EQ(grid.isFree(i, j), !(i >= 6 && i <= 10 && j >= 6 && j <= 10)) << i << "," << j;
    // A juniper's tested area spans rows i - 2 to i + 1: two rows before its cell, one after.
    EXPECT_FALSE(grid.isAreaFree(12, 8, 3));
    EXPECT_TRUE(grid.isAreaFree(13, 8, 3));
    EXPECT_FALSE(grid.isAreaFree(5, 8, 3));
    EXPECT_TRUE(grid.isAreaFree(4, 8, 3));
    // Columns likewise.
    EXPECT_FALSE(grid.isAreaFree(8, 12, 3));
    EXPECT_TRUE(grid.isAreaFree(8, 13, 3));
}

TEST(TreeKinds, FirstSixCycleThenAThirdEachAtRandom) {
    int counts[3] = {};
    for (unsigned seed = 0; seed < 200; ++seed) {
        std::srand(seed);
        int kinds[25];
        chooseTreeKinds(kinds, 25);
        for (int s = 0; s < 6; ++s) ASSERT_EQ(kinds[s], s % 3);
        for (int s = 6; s < 25; ++s) {
            ASSERT_GE(kinds[s], 0);
            ASSERT_LE(kinds[s], 2);
            ++counts[kinds[s]];
        }
    }
    for (int count : counts) {
        EXPECT_GT(count, 200 * 19 / 3 - 250);
        EXPECT_LT(count, 200 * 19 / 3 + 250);
    }
}

TEST(Population, PrintsItsProgressLinesExactly) {
    const std::string out = populateFromSeed(4);
    const std::regex shape(
        "Vyckejte prosim\\.\\.\\. generuji objekty\\.\\.\\.\n\n\n"
        "\\[  0%\\] generuji teren \\[hotovo\\]\n"
        "(\\[ {0,2}\\d{1,2}%\\] generuji jalovec \\[hotovo\\]\n)*"
        "\\[ 99%\\] generuji motyli \\[hotovo\\]\n"
        "\\[ 99%\\] generuji kapky deste \\[hotovo\\]\n"
        "\\[ 99%\\] generuji slunce a oblohu \\[hotovo\\]\n"
        "\n\n\\[hotovo\\]\n\n");
    EXPECT_TRUE(std::regex_match(out, shape)) << out;

    // The percentages are slot shares: multiples of 4, rising, right-aligned in three places.
    const std::regex juniper("\\[( *)(\\d+)%\\] generuji jalovec");
    int previous = -1, junipers = 0;
    for (std::sregex_iterator it(out.begin(), out.end(), juniper), end; it != end; ++it, ++junipers) {
        const int percent = std::stoi((*it)[2]);
        EXPECT_EQ(percent % 4, 0);
        EXPECT_GT(percent, previous);
        EXPECT_EQ((*it)[1].length() + (*it)[2].length(), 3u);
        previous = percent;
    }
    EXPECT_GT(junipers, 0);
    EXPECT_EQ(worldObjects->count(), 1 + junipers);
}

TEST(Population, TheTerrainComesFirstThenTheJunipersOnTheirCells) {
    populateFromSeed(5);
    ASSERT_GE(worldObjects->count(), 2);
    Terrain* terrain = dynamic_cast<Terrain*>(static_cast<SceneObject*>(worldObjects->at(0)));
    ASSERT_NE(terrain, nullptr);
    EXPECT_EQ(terrain->tint, worldTint);
    for (int k = 1; k < worldObjects->count(); ++k) {
        Juniper* juniper = dynamic_cast<Juniper*>(static_cast<SceneObject*>(worldObjects->at(k)));
        ASSERT_NE(juniper, nullptr);
        EXPECT_EQ(juniper->tint, worldTint);
        EXPECT_EQ(juniper->size[0], 5);
        EXPECT_EQ(juniper->size[1], 25);
        // Standing on a grid point a juniper may use: rows and columns 2 to 15.
        const int i = static_cast<int>(juniper->position[0] - 26) / 3, j = static_cast<int>(juniper->position[2] - 26) / 3;
        EXPECT_EQ(juniper->position[0], terrain->gridX(i));
        EXPECT_EQ(juniper->position[2], terrain->gridZ(j));
        EXPECT_EQ(juniper->position[1], terrain->heightAt(i, j));
        EXPECT_GE(std::min(i, j), 2);
        EXPECT_LE(std::max(i, j), 15);
    }
    ASSERT_NE(sky, nullptr);
    EXPECT_EQ(sky->centreX, 50);
    ASSERT_NE(butterflies, nullptr);
}

TEST(Population, SetsTheWindLevelsAndClearsEveryMark) {
    populateFromSeed(6);
    const float* k = wind->levelFactors;
    EXPECT_EQ(k[9], 0.2f);
    EXPECT_EQ(k[0], 0.0f);
    for (int i = 1; i <= 8; ++i) {
        EXPECT_GE(k[i], 0.6f * k[i + 1] - 1e-7f) << i;
        EXPECT_LT(k[i], k[i + 1]) << i;
    }
    int registered = 0;
    for (int level = 0; level < Wind::LEVEL_COUNT; ++level)
        for (ListNode* node = wind->groups[level].members->first; node != nullptr; node = node->next, ++registered)
            ASSERT_FALSE(static_cast<Vertex*>(node->payload)->isMarked());
    // Every juniper registered its 1183 distinct face vertices in group 1.
    EXPECT_EQ(wind->groups[1].count(), (worldObjects->count() - 1) * 1183);
    EXPECT_EQ(registered, wind->groups[1].count());
}

TEST(Population, TheSameSeedGrowsTheSameWorld) {
    auto positions = [] {
        std::vector<float> all;
        for (ListNode* node = worldObjects->first->next; node != nullptr; node = node->next) {
            SceneObject* object = static_cast<SceneObject*>(node->payload);
            all.insert(all.end(), object->position, object->position + 3);
        }
        Terrain* terrain = static_cast<Terrain*>(worldObjects->first->payload);
        all.push_back(terrain->heightAt(3, 11));
        all.push_back(static_cast<Vertex*>(sky->stars->at(999))->get(0));
        for (int i = 0; i < 10; ++i) all.push_back(wind->levelFactors[i]);
        return all;
    };
    const std::string firstOut = populateFromSeed(7);
    const std::vector<float> first = positions();
    const std::string secondOut = populateFromSeed(7);
    EXPECT_EQ(positions(), first);
    EXPECT_EQ(secondOut, firstOut);
    populateFromSeed(8);
    EXPECT_NE(positions(), first);
}

// Recorded after the terrain was found first, every juniper on a grid point it may use with the
// world's tint, the wind's level factors within their limits, every juniper's 1183 vertices in wind
// group 1 with no mark left, and the same world grown twice from one seed.
TEST(PopulationDigest, GrowsTheWorldOfItsSeed) {
    const std::pair<unsigned, const char*> recorded[] = {{4, "3292 meshes 24295 vertices 17b7a905fbdd11a9"}, {5, "2928 meshes 21656 vertices 7aa31e84013a8bfc"}};
    for (const auto& [seed, digest] : recorded) {
        populateFromSeed(seed);
        Digest d;
        for (SceneObject* object : items<SceneObject>(worldObjects)) d.addMeshes(object->faces);
        d.addGroups(*wind);
        for (int level = 0; level < Wind::LEVEL_COUNT; ++level) d.add(wind->levelFactors[level]);
        d.addNextRandom();
        EXPECT_EQ(d.text(), digest) << "seed " << seed;
    }
}

}  // namespace
