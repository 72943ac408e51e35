// The ground: a 17 x 17 height field grown by midpoint refinement, its outer ring pushed out to the
// horizon, drawn as textured triangle strips.
#pragma once

#include "core/Image.h"
#include "core/SceneObject.h"

class Terrain : public SceneObject {
public:
    // Distance in world units between neighbouring grid lines.
    static constexpr int GRID_STEP = 3;

    // Builds the whole terrain around the centre, reporting on the console.
    Terrain(float centreX, float centreZ, float* tint);
    ~Terrain() override;

    void draw() override;

    int gridSize() const { return sideCount; }
    float heightAt(int i, int j) const { return heights[i][j]; }
    // World x of grid line i, without the outward push of the outermost lines.
    float gridX(int i) const { return GRID_STEP * (i - sideCount / 2) + centreX; }
    float gridZ(int j) const { return GRID_STEP * (j - sideCount / 2) + centreZ; }

    // heights[i][j]: i runs along world x, j along world z.
    float** heights = nullptr;
    int sideCount = 0;
    float centreX;
    float centreZ;
    Image* groundImage;

private:
    void refine(double amplitude);
    void buildStrips();
};
