// World population: the occupancy grid, the console lines, the shared tint and the recorded worlds.
#include "app/OccupancyGrid.h"
#include "tests/support/Digest.h"
#include "tests/support/WorldFixture.h"
#include "world/Terrain.h"
#include "world/Wind.h"

#include <algorithm>
#include <array>
#include <regex>

TEST(OccupancyGrid, EachKindStandsOnlyWhereItsWholeAreaIsInside) {
    OccupancyGrid grid(17);
    // Juniper (3): rows and columns 2 to 15; deciduous (5): 3 to 14; spruce (7): 4 to 13.
    for (const auto& [size, lowest, highest] : {std::array<int, 3>{3, 2, 15}, {5, 3, 14}, {7, 4, 13}})
        for (int i = -1; i <= 17; ++i)
            for (int j = -1; j <= 17; ++j)
                ASSERT_EQ(grid.isAreaFree(i, j, size), std::min(i, j) >= lowest && std::max(i, j) <= highest)
                    << size << " at " << i << "," << j;
}

TEST(OccupancyGrid, OccupiesTheSquareAroundTheCellAndTestsOneMoreCellBelowThanAbove) {
    OccupancyGrid grid(17);
    grid.occupyArea(8, 8, 5);
    for (int i = 0; i < 17; ++i)
        for (int j = 0; j < 17; ++j) EXPECT_EQ(grid.isFree(i, j), std::min(i, j) < 6 || std::max(i, j) > 10) << i << "," << j;
    // A juniper's tested area spans rows and columns i - 2 to i + 1.
    for (const auto& [i, j, free] : {std::array<int, 3>{12, 8, 0}, {13, 8, 1}, {5, 8, 0}, {4, 8, 1}, {8, 12, 0}, {8, 13, 1}, {8, 5, 0}, {8, 4, 1}})
        EXPECT_EQ(grid.isAreaFree(i, j, 3), free == 1) << i << "," << j;
}

TEST(Population, PrintsItsProgressLinesExactly) {
    const std::string out = populateFromSeed(4);
    const std::regex shape(
        "Vyckejte prosim\\.\\.\\. generuji objekty\\.\\.\\.\n\n\n\\[  0%\\] generuji teren \\[hotovo\\]\n"
        "(\\[ {0,2}\\d{1,2}%\\] generuji jalovec \\[hotovo\\]\n)*"
        "\\[ 99%\\] generuji motyli \\[hotovo\\]\n\\[ 99%\\] generuji kapky deste \\[hotovo\\]\n"
        "\\[ 99%\\] generuji slunce a oblohu \\[hotovo\\]\n\n\n\\[hotovo\\]\n\n");
    EXPECT_TRUE(std::regex_match(out, shape)) << out;
    // The percentages are the slots' shares: multiples of 4, rising, right-aligned in three places.
    const std::regex juniper("\\[( *\\d+)%\\] generuji jalovec");
    int previous = -1, junipers = 0;
    for (std::sregex_iterator it(out.begin(), out.end(), juniper), end; it != end; ++it, ++junipers) {
        const int percent = std::stoi((*it)[1]);
        EXPECT_TRUE(percent % 4 == 0 && percent > previous && (*it)[1].length() == 3) << (*it)[0];
        previous = percent;
    }
    EXPECT_EQ(worldObjects->count(), 1 + junipers);
}

TEST(Population, TheTerrainComesFirstEveryObjectSharesTheWorldTintAndNoVertexStaysMarked) {
    populateFromSeed(5);
    EXPECT_NE(dynamic_cast<Terrain*>(static_cast<SceneObject*>(worldObjects->at(0))), nullptr);
    for (SceneObject* object : items<SceneObject>(worldObjects)) EXPECT_EQ(object->tint, worldTint);
    for (const VertexSet& group : wind->groups)
        for (Vertex* v : items<Vertex>(group.members)) ASSERT_FALSE(v->isMarked());
}

// Recorded after the terrain was found first, every juniper on a grid point it may use (rows and
// columns 2 to 15, at the terrain's height there) with the world's tint, the level factors within
// their limits (0.2 at the top, each lower one 0.6 to 1.0 times the next, 0 at the bottom), every
// juniper's 1183 vertices in wind group 1 with no mark left, and the same world and console grown
// twice from one seed, were checked.
TEST(Population, GrowsTheRecordedWorldOfItsSeed) {
    for (const auto& [seed, digest] : {std::pair{4u, "3292 meshes 24295 vertices 17b7a905fbdd11a9"},
                                       {5u, "2928 meshes 21656 vertices 7aa31e84013a8bfc"}}) {
        populateFromSeed(seed);
        Digest d;
        for (SceneObject* object : items<SceneObject>(worldObjects)) d.addMeshes(object->faces);
        d.addGroups(*wind);
        for (int level = 0; level < Wind::LEVEL_COUNT; ++level) d.add(wind->levelFactors[level]);
        d.addNextRandom();
        EXPECT_EQ(d.text(), digest) << "seed " << seed;
    }
}
