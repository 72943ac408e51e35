// The rain: a column of drops around the world centre that fall while it rains, drawn as points.
#pragma once

#include "core/List.h"
#include "core/SceneObject.h"

class Rain : public SceneObject {
public:
    static constexpr int DROP_COUNT = 5000;

    // Drops within 20 of the centre in x and z, at heights 0 to 40; not raining.
    Rain(float centreX, float centreZ, float* tint);
    ~Rain() override;

    // Bluish points added onto the scene, brightening with the daylight; nothing while it is dry.
    void draw() override;
    // One tick: every drop falls 0.6 and starts again at 40 once below the ground.
    void fall();
    // The drops keep their heights while it is dry and fall on from there.
    void start() { raining = true; }
    void stop() { raining = false; }

    float centreX;
    float centreZ;
    // One vertex per drop; y is its height.
    List* drops;
    bool raining = false;
};
