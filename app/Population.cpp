// Builds the whole world once, before any window exists.
#include "app/Population.h"

#include "app/OccupancyGrid.h"
#include "app/World.h"
#include "core/List.h"
#include "core/Random.h"
#include "vegetation/Dandelion.h"
#include "vegetation/DeciduousTree.h"
#include "vegetation/Juniper.h"
#include "vegetation/Spruce.h"
#include "world/Butterfly.h"
#include "world/Rain.h"
#include "world/Sky.h"
#include "world/Terrain.h"
#include "world/Wind.h"

#include <cstdio>
#include <vector>

namespace {

enum TreeKind { JUNIPER = 0, DECIDUOUS = 1, SPRUCE = 2 };

// How many grid cells each kind keeps clear around itself.
constexpr int EXCLUSION[3] = {3, 5, 7};
constexpr int PLACEMENT_TRIES = 100;

float* cellPosition(Terrain* terrain, int i, int j) {
    return makePoint(terrain->gridX(i), terrain->heightAt(i, j), terrain->gridZ(j));
}

// The tree of a kind on its cell, built with the kind's arguments. The juniper keeps the position
// array and the spruce advances it up its trunk; the deciduous tree keeps a copy of its own.
SceneObject* growTree(int kind, float* position) {
    switch (kind) {
    case JUNIPER: return new Juniper(position, makePoint(5, 25, 5), worldTint);
    case DECIDUOUS: {
        SceneObject* tree = new DeciduousTree(position, worldTint);
        deleteComponents(position);
        return tree;
    }
    default: return new SpruceTrunk(position, worldTint);
    }
}

// Every plant registers with the wind as soon as it is built, then joins the world.
void addPlant(SceneObject* plant) {
    plant->attachToWind(wind);
    worldObjects->append(plant);
}

void placeTrees(Terrain* terrain, OccupancyGrid& grid) {
    std::vector<int> kinds(treeSlotCount);
    chooseTreeKinds(kinds.data(), treeSlotCount);
    const int n = grid.size();
    for (int s = 0; s < treeSlotCount; ++s) {
        const int kind = kinds[s], d = EXCLUSION[kind];
        for (int attempt = 1; attempt <= PLACEMENT_TRIES; ++attempt) {
            const int i = static_cast<int>(randomUnit() * n * 0.5 + n * 0.5);
            const int j = static_cast<int>(randomUnit() * n * 0.5 + n * 0.5);
            if (!grid.isAreaFree(i, j, d)) continue;
            // A free area found by the very last try is not used.
            if (attempt == PLACEMENT_TRIES) break;
            std::printf("[%3.1d%%] ", s * 100 / treeSlotCount);
            grid.occupyArea(i, j, d);
            addPlant(growTree(kind, cellPosition(terrain, i, j)));
            break;
        }
    }
}

// About one free interior cell in eight grows a dandelion; the trees' cells and the border never do,
// and taken cells draw no number. Dandelions leave the grid as it is.
void scatterDandelions(Terrain* terrain, const OccupancyGrid& grid) {
    const int n = grid.size();
    for (int i = 1; i < n - 1; ++i)
        for (int j = 1; j < n - 1; ++j) {
            if (!grid.isFree(i, j) || !(randomUnit() > 0.75)) continue;
            std::printf("[ 99%%] ");
            float* position = cellPosition(terrain, i, j);
            addPlant(new Dandelion(position, worldTint));
            deleteComponents(position);
        }
}

}  // namespace

void chooseTreeKinds(int* kinds, int count) {
    for (int s = 0; s < count; ++s) kinds[s] = s < 6 ? s % 3 : static_cast<int>(randomUnit() * 1.5 + 1.49);
}

void populateWorld() {
    wind->chooseLevelFactors();
    worldObjects = new List;
    // The night light the world starts in, so the first frame's lighting reads a defined colour.
    worldTint = new float[3]{0.2f, 0.2f, 0.2f};
    std::printf("[  0%%] ");
    Terrain* terrain = new Terrain(worldCentreX, worldCentreZ, worldTint);
    worldObjects->append(terrain);

    OccupancyGrid grid(terrain->gridSize());
    placeTrees(terrain, grid);
    scatterDandelions(terrain, grid);
    // Every vertex was marked as it joined its group, so that it joined only one.
    wind->unmarkAll();

    std::printf("[ 99%%] generuji motyli ");
    butterflies = new List;
    for (int i = 0; i < butterflyCount; ++i) butterflies->append(new Butterfly(worldCentreX, worldCentreZ, worldTint));
    std::printf("[hotovo]\n");
    std::printf("[ 99%%] generuji kapky deste ");
    rain = new Rain(worldCentreX, worldCentreZ, worldTint);
    std::printf("[hotovo]\n");
    std::printf("[ 99%%] generuji slunce a oblohu ");
    sky = new Sky(static_cast<int>(worldCentreX), static_cast<int>(worldCentreZ));
    std::printf("[hotovo]\n");
    std::printf("\n\n[hotovo]\n\n");
}
