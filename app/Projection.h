// The perspective each frame multiplies onto the modelview matrix, and the proportions the overlay's
// flat pictures keep: the fixed 4:3 stretched over a drawing area of any shape, or the area's own
// proportions with the same vertical field of view, which show more of the world to the sides of a
// wide area instead of stretching it.
#pragma once

enum class Aspect { FOUR_THIRDS, WINDOW };

// How much the overlay's pictures shrink in x and in y towards the corner or the centre they keep,
// so that, laid out for a 4:3 screen, they fit the drawing area undistorted.
struct OverlayScale {
    float x, y;
};

// Chosen once at start-up; FOUR_THIRDS until then.
void setAspect(Aspect aspect);

// The size of the drawing area, which the WINDOW aspect follows.
void setDrawingArea(int width, int height);

// Multiplies the perspective onto the current matrix: a vertical field of view of 60 degrees, the
// aspect chosen, near 1 and far 200.
void multiplyPerspective();

// 1 and 1 at the fixed aspect, where the pictures stretch with the scene.
OverlayScale overlayScale();
