// An upright, spindle-shaped bush: a roughened ellipsoid of textured quads.
#include "vegetation/Juniper.h"

#include "core/Mesh.h"

#include <cmath>
#include <cstdio>

namespace {

// The point at latitude a and longitude b on the unit sphere. Neighbouring quads call it with the
// same float arguments, so their shared corners come out bit-identical.
Vertex* spherePoint(float a, float b) {
    const double cosA = std::cos(static_cast<double>(a));
    return new Vertex(makePoint(static_cast<float>(cosA * std::sin(static_cast<double>(b))),
                                static_cast<float>(std::sin(static_cast<double>(a))),
                                static_cast<float>(-cosA * std::cos(static_cast<double>(b)))));
}

}  // namespace

Juniper::Juniper(float* position, float* size, float* tint) {
    this->tint = tint;
    std::printf("generuji jalovec ");
    texture = loadPPM("jalovec.ppm");
    vertices = new VertexSet;
    faces = new List;
    this->position = position;
    this->size = size;

    // Half a radian per step: the last column overlaps the first and the top row crosses the pole,
    // which gives the bush its shaggy crown.
    const float lift[3] = {0.0f, 0.5f, 0.0f};
    for (float a = -1.57075f; a < 1.57075f; a += 0.5f) {
        for (float b = 0.0f; b < 6.283f; b += 0.5f) {
            Mesh* quad = new Mesh;
            quad->addVertex(spherePoint(a, b));
            quad->addVertex(spherePoint(a, b + 0.5f));
            quad->addVertex(spherePoint(a + 0.5f, b + 0.5f));
            quad->addVertex(spherePoint(a + 0.5f, b));
            quad->scaleAll(0.5f);
            quad->translateAll(lift);
            quad->multiplyAll(size);
            quad->translateAll(position);
            for (Vertex* corner : items<Vertex>(quad->vertices)) vertices->add(corner->clone());
            faces->append(quad);
        }
    }
    roughen(2);
    vertices->unmarkAll();
    std::printf("[hotovo]\n");
}
