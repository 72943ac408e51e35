// World population: the occupancy grid, the console lines, the shared tint and the recorded worlds.
#include "app/OccupancyGrid.h"
#include "tests/support/Digest.h"
#include "tests/support/WorldFixture.h"
#include "vegetation/Dandelion.h"
#include "vegetation/DeciduousTree.h"
#include "vegetation/Juniper.h"
#include "vegetation/Spruce.h"
#include "world/Rain.h"
#include "world/Sky.h"
#include "world/Terrain.h"
#include "world/Wind.h"

#include <cmath>
#include <regex>
#include <set>

TEST(OccupancyGrid, EachKindStandsOnlyWhereItsWholeAreaIsInside) {
    OccupancyGrid grid(17);
    // Juniper (3): rows and columns 2 to 15; deciduous (5): 3 to 14; spruce (7): 4 to 13.
    for (const auto& [size, lowest, highest] : {std::array<int, 3>{3, 2, 15}, {5, 3, 14}, {7, 4, 13}})
        for (int i = -1; i <= 17; ++i)
            for (int j = -1; j <= 17; ++j)
                ASSERT_EQ(grid.isAreaFree(i, j, size), std::min(i, j) >= lowest && std::max(i, j) <= highest)
                    << size << " at " << i << "," << j;
}

TEST(Population, PrintsAProgressLineForEveryObjectAndGivesEveryObjectTheWorldTint) {
    const std::string out = populateFromSeed(4);
    const std::regex shape(
        "Vyckejte prosim\\.\\.\\. generuji objekty\\.\\.\\.\n\n\n\\[  0%\\] generuji teren \\[hotovo\\]\n"
        "(\\[ {0,2}\\d{1,2}%\\] generuji (jalovec|listnac|smrk) \\[hotovo\\]\n)+"
        "(\\[ 99%\\] generuji pampelisku \\[hotovo\\]\n)+"
        "\\[ 99%\\] generuji motyli \\[hotovo\\]\n\\[ 99%\\] generuji kapky deste \\[hotovo\\]\n"
        "\\[ 99%\\] generuji slunce a oblohu \\[hotovo\\]\n\n\n\\[hotovo\\]\n\n");
    EXPECT_TRUE(std::regex_match(out, shape)) << out;
    const std::regex generator("generuji (jalovec|listnac|smrk|pampelisku)");
    EXPECT_EQ(worldObjects->count(), 1 + std::distance(std::sregex_iterator(out.begin(), out.end(), generator),
                                                       std::sregex_iterator()));
    EXPECT_NE(dynamic_cast<Terrain*>(static_cast<SceneObject*>(worldObjects->at(0))), nullptr);
    for (SceneObject* object : items<SceneObject>(worldObjects)) EXPECT_EQ(object->tint, worldTint);
}

// The grid cell a plant stands on, and the side of the square it keeps free (1 for a dandelion).
static std::array<int, 3> standing(SceneObject* object) {
    const float* foot = object->position;
    float ground[3];
    int side = dynamic_cast<Juniper*>(object) ? 3 : 5;
    if (auto* spruce = dynamic_cast<SpruceTrunk*>(object))
        foot = static_cast<SpruceBranch*>(spruce->faces->at(0))->origin, side = 7;
    if (auto* plant = dynamic_cast<Dandelion*>(object)) {
        // Between the base corners of its first leaf.
        const List* corners = static_cast<LeafSegment*>(plant->leaves->at(0))->segmentMesh->vertices;
        for (int k = 0; k < 3; ++k)
            ground[k] = (static_cast<Vertex*>(corners->at(0))->get(k) + static_cast<Vertex*>(corners->at(1))->get(k)) / 2;
        foot = ground, side = 1;
    }
    auto cell = [](float at) { return static_cast<int>(std::lround((at - 26) / 3)); };
    return {cell(foot[0]), cell(foot[2]), side};
}

TEST(Population, EveryPlantStandsWhereItMayAndEveryVertexSwaysInOneGroupOnly) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        populateFromSeed(seed);
        std::vector<std::array<int, 3>> trees, dandelions;
        for (SceneObject* object : items<SceneObject>(worldObjects))
            if (!dynamic_cast<Terrain*>(object))
                (dynamic_cast<Dandelion*>(object) ? dandelions : trees).push_back(standing(object));
        // A tree's whole area inside the grid, a dandelion on an inner cell outside every tree's area.
        for (const auto& [i, j, d] : trees) {
            EXPECT_TRUE(std::min(i, j) >= (d + 1) / 2 && std::max(i, j) <= 17 - (d + 1) / 2) << seed << ": " << d;
            for (const auto& [di, dj, one] : dandelions)
                EXPECT_FALSE(std::abs(di - i) <= d / 2 && std::abs(dj - j) <= d / 2) << "seed " << seed;
        }
        for (const auto& [i, j, one] : dandelions) EXPECT_TRUE(i >= 1 && i <= 15 && j >= 1 && j <= 15) << seed;
        EXPECT_GT(dandelions.size(), 0u) << seed;

        std::set<const float*> seen;
        for (const VertexSet& group : wind->groups)
            for (Vertex* v : items<Vertex>(group.members)) {
                ASSERT_TRUE(seen.insert(v->components).second) << "registered twice, seed " << seed;
                ASSERT_FALSE(v->isMarked());
                ASSERT_TRUE(std::isfinite(v->get(0) + v->get(1) + v->get(2) + v->swayWeight)) << seed;
            }
    }
}

// Recorded after the old detailed checks passed for the terrain and junipers and the deciduous trees,
// spruces and dandelions were each checked against a step-by-step rebuild of their generators:
// every vertex of the terrain, of every wind group in order, of the rain and the stars, the level
// factors, and the next random number after the sky.
TEST(Population, GrowsTheRecordedWorldOfItsSeed) {
    for (const auto& [seed, digest] : {std::pair{4u, "16 meshes 43140 vertices 4709933f59328efb"},
                                       {5u, "16 meshes 65750 vertices f70fef9b380a550b"}}) {
        populateFromSeed(seed);
        Digest d;
        d.addMeshes(static_cast<SceneObject*>(worldObjects->at(0))->faces);
        d.addGroups(*wind);
        d.addVertices(rain->drops);
        d.addVertices(sky->stars);
        for (int level = 0; level < Wind::LEVEL_COUNT; ++level) d.add(wind->levelFactors[level]);
        d.addNextRandom();
        EXPECT_EQ(d.text(), digest) << "seed " << seed;
    }
}
