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

TEST(Population, PrintsItsProgressLinesAndGivesEveryObjectTheWorldTintTerrainFirstAndNoVertexMarked) {
    const std::string out = populateFromSeed(4);
    const std::regex shape(
        "Vyckejte prosim\\.\\.\\. generuji objekty\\.\\.\\.\n\n\n\\[  0%\\] generuji teren \\[hotovo\\]\n"
        "(\\[ {0,2}\\d{1,2}%\\] generuji jalovec \\[hotovo\\]\n)*"
        "\\[ 99%\\] generuji motyli \\[hotovo\\]\n\\[ 99%\\] generuji kapky deste \\[hotovo\\]\n"
        "\\[ 99%\\] generuji slunce a oblohu \\[hotovo\\]\n\n\n\\[hotovo\\]\n\n");
    EXPECT_TRUE(std::regex_match(out, shape)) << out;
    const std::regex juniper("generuji jalovec");
    const auto junipers = std::distance(std::sregex_iterator(out.begin(), out.end(), juniper), std::sregex_iterator());
    EXPECT_EQ(worldObjects->count(), 1 + junipers);
    EXPECT_NE(dynamic_cast<Terrain*>(static_cast<SceneObject*>(worldObjects->at(0))), nullptr);
    for (SceneObject* object : items<SceneObject>(worldObjects)) EXPECT_EQ(object->tint, worldTint);
    for (const VertexSet& group : wind->groups)
        for (Vertex* v : items<Vertex>(group.members)) ASSERT_FALSE(v->isMarked());
}

// Recorded after every juniper was found on a grid point it may use (rows and columns 2 to 15, at
// the terrain's height there), the level factors within their limits (0.2 at the top, each lower one
// 0.6 to 1.0 times the next, 0 at the bottom), each juniper's 1183 vertices in wind group 1, and the
// same world grown twice from one seed, were checked.
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
