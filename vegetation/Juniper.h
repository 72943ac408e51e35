// An upright, spindle-shaped bush: a roughened ellipsoid of textured quads.
#pragma once

#include "core/SceneObject.h"

class Juniper : public SceneObject {
public:
    // Stands with the centre of its base on position and spans size along x, y and z. Keeps both
    // arrays.
    Juniper(float* position, float* size, float* tint);
};
