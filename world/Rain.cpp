// The rain: a column of drops around the world centre that fall while it rains, drawn as points.
#include "world/Rain.h"

#include "core/Random.h"

#include <GL/gl.h>

namespace {

constexpr double HALF_WIDTH = 20;
constexpr double FALL = 0.6;
constexpr float RESTART_HEIGHT = 40;

}  // namespace

Rain::Rain(float centreX, float centreZ, float* tint) : centreX(centreX), centreZ(centreZ), drops(new List) {
    this->tint = tint;
    for (int i = 0; i < DROP_COUNT; ++i) {
        // Drawn z, then y, then x.
        const double z = randomUnit() * HALF_WIDTH + centreZ;
        const double y = (randomUnit() + 1) * HALF_WIDTH;
        const double x = randomUnit() * HALF_WIDTH + centreX;
        drops->append(new Vertex(makePoint(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z))));
    }
}

Rain::~Rain() {
    deleteWithComponents(drops);
    delete drops;
}

void Rain::fall() {
    if (!raining) return;
    for (Vertex* drop : items<Vertex>(drops)) {
        const float y = static_cast<float>(drop->get(1) - FALL);
        // The overshoot below the ground is not carried over.
        drop->set(1, y < 0 ? RESTART_HEIGHT : y);
    }
}

void Rain::draw() {
    if (!raining) return;
    glColor4f(0.47f * tint[0], 0.92f * tint[1], tint[2], 0.7f);
    glPointSize(2.0f);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);
    glBegin(GL_POINTS);
    for (Vertex* drop : items<Vertex>(drops)) drop->emit();
    glEnd();
    glDisable(GL_BLEND);
}
