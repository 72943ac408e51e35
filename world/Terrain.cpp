// The ground: a height field grown by midpoint refinement, drawn as textured triangle strips.
#include "world/Terrain.h"

#include "core/Mesh.h"
#include "core/Random.h"

#include <GL/gl.h>
#include <cstdio>

namespace {

constexpr double SEED_AMPLITUDE = 10;
constexpr int REFINEMENT_PASSES = 4;
// How far the outermost grid lines are pushed out, so the ground reaches past the sky dome.
constexpr float SKIRT = 90;

float** newGrid(int side) {
    float** grid = new float*[side];
    for (int i = 0; i < side; ++i) grid[i] = new float[side];
    return grid;
}

void deleteGrid(float** grid, int side) {
    for (int i = 0; i < side; ++i) delete[] grid[i];
    delete[] grid;
}

}  // namespace

Terrain::Terrain(float centreX, float centreZ, float* tintColour) {
    tint = tintColour;
    std::printf("generuji teren ");
    groundImage = loadPPM("trava.ppm");
    this->centreX = centreX;
    this->centreZ = centreZ;

    heights = newGrid(2);
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j) heights[i][j] = static_cast<float>(SEED_AMPLITUDE * randomUnit());
    sideCount = 2;
    double amplitude = 10;
    for (int pass = 0; pass < REFINEMENT_PASSES; ++pass, amplitude *= 0.5) refine(amplitude);

    faces = new List;
    buildStrips();
    std::printf("[hotovo]\n");
}

Terrain::~Terrain() {
    // The strips own their vertices: no other mesh shares them.
    deleteWithVertices(faces);
    deleteGrid(heights, sideCount);
    releaseImage(groundImage);
}

void Terrain::refine(double amplitude) {
    const int n = sideCount, m = 2 * n - 1;
    float** g = newGrid(m);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) g[2 * i][2 * j] = heights[i][j];
    for (int i = 0; i < n - 1; ++i)
        for (int j = 0; j < n; ++j)
            g[2 * i + 1][2 * j] =
                static_cast<float>((static_cast<double>(heights[i][j]) + heights[i + 1][j]) * 0.5 +
                                   amplitude * randomUnit());
    // Runs over the rows just made as well: a cell's centre averages its new left and right points.
    for (int k = 0; k < m; ++k)
        for (int j = 0; j < n - 1; ++j)
            g[k][2 * j + 1] = static_cast<float>((static_cast<double>(g[k][2 * j]) + g[k][2 * j + 2]) * 0.5 +
                                                 amplitude * randomUnit());
    deleteGrid(heights, n);
    heights = g;
    sideCount = m;
}

void Terrain::buildStrips() {
    const int half = sideCount / 2;
    auto skirt = [&](int index) { return index == 0 ? -SKIRT : index == sideCount - 1 ? SKIRT : 0.0f; };
    auto at = [&](int i, int j) {
        return new Vertex(makePoint(centreX + GRID_STEP * (i - half) + skirt(i), heights[i][j],
                                    centreZ + GRID_STEP * (j - half) + skirt(j)));
    };
    for (int r = 0; r < sideCount - 1; ++r) {
        Mesh* strip = new Mesh(GL_TRIANGLE_STRIP);
        for (int c = 0; c < sideCount; ++c) {
            strip->addVertex(at(r, c));
            strip->addVertex(at(r + 1, c));
        }
        faces->append(strip);
    }
}

void Terrain::draw() {
    glPushMatrix();
    glShadeModel(GL_SMOOTH);
    uploadTexture(groundImage);
    glPushMatrix();
    // The picture repeats every 3 * sideCount units.
    const double offset = 1.5 * sideCount, period = GRID_STEP * sideCount;
    for (Mesh* strip : items<Mesh>(faces)) {
        glBegin(GL_TRIANGLE_STRIP);
        for (Vertex* v : items<Vertex>(strip->vertices)) {
            glTexCoord2f(static_cast<float>((v->get(0) - centreX - offset) / period),
                         static_cast<float>((v->get(2) - centreZ - offset) / period));
            v->emit();
        }
        glEnd();
    }
    glPopMatrix();
    closeTexture();
    glPopMatrix();
}
