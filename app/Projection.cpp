// The perspective of every frame and the proportions of the overlay's pictures.
#include "app/Projection.h"

#include <GL/glu.h>

namespace {

constexpr double FOUR_THIRDS = 4.0 / 3.0;

Aspect chosenAspect = Aspect::FOUR_THIRDS;
int areaWidth = 4, areaHeight = 3;

double areaAspect() {
    // A minimised window can report an empty area; its frames show nothing anyway.
    return areaWidth > 0 && areaHeight > 0 ? static_cast<double>(areaWidth) / areaHeight : FOUR_THIRDS;
}

}  // namespace

void setAspect(Aspect aspect) { chosenAspect = aspect; }

void setDrawingArea(int width, int height) {
    areaWidth = width;
    areaHeight = height;
}

void multiplyPerspective() {
    gluPerspective(60, chosenAspect == Aspect::WINDOW ? areaAspect() : FOUR_THIRDS, 1, 200);
}

OverlayScale overlayScale() {
    if (chosenAspect == Aspect::FOUR_THIRDS) return {1, 1};
    // The 4:3 layout fitted inside the area: as high as a wide area, as wide as a tall one.
    const double aspect = areaAspect();
    return aspect >= FOUR_THIRDS ? OverlayScale{static_cast<float>(FOUR_THIRDS / aspect), 1}
                                 : OverlayScale{1, static_cast<float>(aspect / FOUR_THIRDS)};
}
