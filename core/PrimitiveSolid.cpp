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

}  // namespace

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
    if (kind == TUBE) buildTube();
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
    auto texCoord = [](double theta, double phi) { return point(phi / (2 * PI), theta / PI, 0); };
    // Angles accumulate in single precision; the counts, not the angles, end the loops.
    float theta0 = 0.0f;
    for (int band = 0; band < stacks; ++band, theta0 += thetaStep) {
        const float theta1 = theta0 + thetaStep;
        Mesh* mesh = new Mesh(GL_TRIANGLE_STRIP);
        if (textured) mesh->enableTexture();
        float phi = 0.0f;
        for (int k = 0; k <= slices; ++k, phi += phiStep) {
            if (textured) {
                mesh->append(at(theta0, phi), texCoord(theta0, phi));
                mesh->append(at(theta1, phi), texCoord(theta1, phi));
            } else {
                mesh->addVertex(at(theta0, phi));
                mesh->addVertex(at(theta1, phi));
            }
        }
        meshes->append(mesh);
    }
}

void PrimitiveSolid::buildTube() {
    const float x1 = params[0], y1 = params[1], z1 = params[2], r1 = params[3];
    const float x2 = params[4], y2 = params[5], z2 = params[6], r2 = params[7];
    const float slices = params[8], tag = params[9], bottomSway = params[10], topSway = params[11];
    const float phiStep = static_cast<float>(2 * PI / slices);
    Mesh* mesh = new Mesh(GL_TRIANGLE_STRIP);
    if (textured) mesh->enableTexture();
    float phi = 0.0f;
    for (int k = 0; k <= slices; ++k, phi += phiStep) {
        const double c = std::cos(static_cast<double>(phi)), s = std::sin(static_cast<double>(phi));
        // Both circles stay horizontal: a slanted tube is a sheared prism.
        Vertex* bottom = point(x1 + r1 * c, y1, z1 - r1 * s);
        bottom->tag = tag;
        bottom->swayWeight = bottomSway;
        Vertex* top = point(x2 + r2 * c, y2, z2 - r2 * s);
        top->tag = tag + 1;
        top->swayWeight = topSway;
        if (textured) {
            mesh->append(bottom, point(k % 2, 0, 0));
            mesh->append(top, point(k % 2, 1, 1));
        } else {
            mesh->addVertex(bottom);
            mesh->addVertex(top);
        }
    }
    meshes->append(mesh);
}
