// The sky and the time of day: a textured dome, the sun on its path, the stars, and the light level
// that darkens the whole world at night.
#pragma once

#include "core/Image.h"
#include "core/List.h"
#include "core/PrimitiveSolid.h"
#include "core/SceneObject.h"

class Sky : public SceneObject {
public:
    static constexpr int STAR_COUNT = 1000;
    // The sun angle grows by this much each tick: a day lasts about 3142 ticks.
    static constexpr float SUN_STEP = 0.002f;

    Sky(int centreX, int centreZ);
    ~Sky() override;

    // The dome, modulated by the light level, and the sun disc.
    void draw() override;
    // Moves the sun along its path, derives the light level and hands both to GL light 1.
    void applySunLight();
    // The grey light colour of the time of day, which the frame copies into the world's tint.
    float* daylight() { return lightColour; }
    // Only while the light is low: fading in at dusk, opaque all night.
    void drawStars();
    // One tick of the sun along its path.
    void advance();
    void setNoon();
    void setMidnight();

    PrimitiveSolid* dome;
    PrimitiveSolid* sun;
    // Each star's tag holds its brightness.
    List* stars;
    float sunPosition[3];
    float lightColour[3];
    float sunAngle;
    float centreX;
    float centreZ;
    Image* skyImage;
};
