// Builds the whole world once, before any window exists.
#include "app/Population.h"

#include "app/World.h"
#include "core/List.h"
#include "core/Random.h"
#include "vegetation/Juniper.h"
#include "world/Sky.h"
#include "world/Terrain.h"
#include "world/Wind.h"

#include <cstdio>

namespace {

enum TreeKind { JUNIPER = 0, DECIDUOUS = 1, SPRUCE = 2 };

// How many grid cells each kind keeps clear around itself.
constexpr int EXCLUSION[3] = {3, 5, 7};
constexpr int PLACEMENT_TRIES = 100;

void setLevelFactors() {
    float* k = wind->levelFactors;
    k[9] = 0.2f;
    for (int i = 8; i >= 1; --i) k[i] = static_cast<float>((randomUnit() + 4) * k[i + 1] * 0.2);
    k[0] = 0.0f;
}

float* cellPosition(Terrain* terrain, int i, int j) {
    return makePoint(terrain->gridX(i), terrain->heightAt(i, j), terrain->gridZ(j));
}

void plantTrees(Terrain* terrain) {
    int* kinds = new int[treeSlotCount];
    chooseTreeKinds(kinds, treeSlotCount);

    const int n = terrain->gridSize();
    unsigned char** grid = new unsigned char*[n];
    for (int i = 0; i < n; ++i) {
        grid[i] = new unsigned char[n];
        for (int j = 0; j < n; ++j) grid[i][j] = 1;
    }

    for (int s = 0; s < treeSlotCount; ++s) {
        const int kind = kinds[s], d = EXCLUSION[kind];
        for (int attempt = 1; attempt <= PLACEMENT_TRIES; ++attempt) {
            const int i = static_cast<int>(randomUnit() * n * 0.5 + n * 0.5);
            const int j = static_cast<int>(randomUnit() * n * 0.5 + n * 0.5);
            if (!isAreaFree(i, j, grid, d, n)) continue;
            // A free area found by the very last try is not used.
            if (attempt == PLACEMENT_TRIES) break;
            // Junipers are grown; the deciduous and spruce slots take their ground and stay bare.
            const bool grown = kind == JUNIPER;
            if (grown) std::printf("[%3.1d%%] ", s * 100 / treeSlotCount);
            occupyArea(i, j, grid, d);
            if (grown) {
                SceneObject* tree = new Juniper(cellPosition(terrain, i, j), makePoint(5, 25, 5), worldTint);
                tree->attachToWind(wind);
                worldObjects->append(tree);
            }
            break;
        }
    }

    // Every free interior cell draws the number that decides on a dandelion. No dandelion is grown,
    // but the draws keep the random numbers of everything after them in place.
    for (int i = 1; i < n - 1; ++i)
        for (int j = 1; j < n - 1; ++j)
            if (grid[i][j] == 1) randomUnit();

    for (int i = 0; i < n; ++i) delete[] grid[i];
    delete[] grid;
    delete[] kinds;
}

}  // namespace

void chooseTreeKinds(int* kinds, int count) {
    for (int s = 0; s < count; ++s) kinds[s] = s < 6 ? s % 3 : static_cast<int>(randomUnit() * 1.5 + 1.49);
}

bool isAreaFree(int i, int j, unsigned char** grid, int d, int n) {
    const int a = (d + 1) / 2;
    for (int row = i - a; row < i + a; ++row)
        for (int column = j - a; column < j + a; ++column)
            if (row < 0 || row >= n || column < 0 || column >= n || grid[row][column] != 1) return false;
    return true;
}

void occupyArea(int i, int j, unsigned char** grid, int d) {
    const int h = d / 2;
    for (int row = i - h; row < i - h + d; ++row)
        for (int column = j - h; column < j - h + d; ++column) grid[row][column] = 0;
}

void populateWorld() {
    setLevelFactors();
    worldObjects = new List;
    // The night light the world starts in, so the first frame's lighting reads a defined colour.
    worldTint = new float[3]{0.2f, 0.2f, 0.2f};
    std::printf("[  0%%] ");
    Terrain* terrain = new Terrain(worldCentreX, worldCentreZ, worldTint);
    worldObjects->append(terrain);
    plantTrees(terrain);

    for (int level = 0; level < Wind::LEVEL_COUNT; ++level) wind->groups[level].unmarkAll();

    std::printf("[ 99%%] generuji motyli ");
    butterflies = new List;
    std::printf("[hotovo]\n");
    std::printf("[ 99%%] generuji kapky deste ");
    std::printf("[hotovo]\n");
    std::printf("[ 99%%] generuji slunce a oblohu ");
    sky = new Sky(static_cast<int>(worldCentreX), static_cast<int>(worldCentreZ));
    std::printf("[hotovo]\n");
    std::printf("\n\n[hotovo]\n\n");
}
