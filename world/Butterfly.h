// A butterfly: a textured twelve-corner polygon that flies a looping path above the world centre,
// beating its wings, and the view of the camera that follows it.
#pragma once

#include "core/Image.h"
#include "core/SceneObject.h"

class Butterfly : public SceneObject {
public:
    // Random path size, path time and wing angle; one of four pictures, loaded for this butterfly.
    Butterfly(float centreX, float centreZ, float* tint);
    ~Butterfly() override;

    void draw() override;
    // One tick: the wings turn a step, reversing beyond their limit, and the path moves on.
    void step();
    // Looks at the butterfly from beside it, a little further from the base height.
    void followView() const;

    // Where the body is and which way it heads: (u, w) scale offsets along world x and z.
    struct Pose {
        double x, y, z;
        double u, w;
    };
    Pose pose() const;

    float centreX;
    float centreZ;
    float pathTime;
    float wingAngle;
    // The size of the path; a negative one mirrors it.
    float pathScale;
    float wingStep = 1;
    Image* wingImage;
};

// The picture number 1 to 4 a random value in [-1, 1) chooses, a quarter of the values each.
int butterflyPicture(double random);
