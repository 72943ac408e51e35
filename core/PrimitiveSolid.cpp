// Builder of triangle-strip spheres and tubes.
#include "core/PrimitiveSolid.h"

#include "core/Mesh.h"

#include <GL/gl.h>
#include <cmath>

namespace {

constexpr double PI = 3.14159265358979323846;

Vertex* point(double x, double y, double z) {
    return new Vertex(makePoint(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)));
}

Mesh* newStrip(bool textured) {
    Mesh* mesh = new Mesh(GL_TRIANGLE_STRIP);
    if (textured) mesh->enableTexture();
    return mesh;
}

// The texture coordinate (s, t, r) is made only for a textured mesh: an untextured one drops it.
void add(Mesh* mesh, Vertex* vertex, double s, double t, double r) {
    mesh->append(vertex, mesh->textured ? point(s, t, r) : nullptr);
}

}  // namespace

Mesh* tubeMesh(const float* bottom, float bottomRadius, const float* top, float topRadius, float slices, float tag,
               float bottomWeight, float topWeight, bool textured) {
    const float phiStep = static_cast<float>(2 * PI / slices);
    Mesh* mesh = newStrip(textured);
    float phi = 0.0f;
    for (int k = 0; k <= slices; ++k, phi += phiStep) {
        const double c = std::cos(static_cast<double>(phi)), s = std::sin(static_cast<double>(phi));
        // Both circles stay horizontal: a slanted tube is a sheared prism.
        Vertex* low = point(bottom[0] + bottomRadius * c, bottom[1], bottom[2] - bottomRadius * s);
        low->tag = tag;
        low->swayWeight = bottomWeight;
        add(mesh, low, k % 2, 0, 0);
        Vertex* high = point(top[0] + topRadius * c, top[1], top[2] - topRadius * s);
        high->tag = tag + 1;
        high->swayWeight = topWeight;
        add(mesh, high, k % 2, 1, 1);
    }
    return mesh;
}

PrimitiveSolid::PrimitiveSolid(int kind, int textured, float* params) { build(kind, textured, params); }

PrimitiveSolid::~PrimitiveSolid() { delete meshes; }

void PrimitiveSolid::draw() {
    for (Mesh* mesh : items<Mesh>(meshes)) mesh->draw();
}

Cursor* PrimitiveSolid::rewind() { return meshes->rewind(); }

void PrimitiveSolid::build(int kind, int texturedFlag, float* parameters) {
    textured = texturedFlag != 0;
    params = parameters;
    meshes = new List;
    if (kind == SPHERE) buildSphere();
    if (kind == TUBE)
        meshes->append(tubeMesh(params, params[3], params + 4, params[7], params[8], params[9], params[10],
                                params[11], textured));
}

void PrimitiveSolid::reset() {
    delete meshes;
    meshes = nullptr;
    textured = false;
}

void PrimitiveSolid::buildSphere() {
    const float cx = params[0], cy = params[1], cz = params[2], r = params[3];
    const float stacks = params[4], slices = params[5];
    const float thetaStep = static_cast<float>(PI / stacks);
    const float phiStep = static_cast<float>(2 * PI / slices);
    // theta runs from the top pole (+y) down; phi = 0 points towards -z, pi/2 towards +x.
    auto at = [&](double theta, double phi) {
        return point(cx + r * std::sin(phi) * std::sin(theta), cy + r * std::cos(theta),
                     cz - r * std::cos(phi) * std::sin(theta));
    };
    // Angles accumulate in single precision; the counts, not the angles, end the loops.
    float theta0 = 0.0f;
    for (int band = 0; band < stacks; ++band, theta0 += thetaStep) {
        const float theta1 = theta0 + thetaStep;
        Mesh* mesh = newStrip(textured);
        float phi = 0.0f;
        for (int k = 0; k <= slices; ++k, phi += phiStep) {
            add(mesh, at(theta0, phi), phi / (2 * PI), theta0 / PI, 0);
            add(mesh, at(theta1, phi), phi / (2 * PI), theta1 / PI, 0);
        }
        meshes->append(mesh);
    }
}
