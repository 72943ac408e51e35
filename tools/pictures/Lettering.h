// Lettering: text laid out from the glyph sheet as strokes, inked through a distance field.
#pragma once

#include "tools/pictures/Raster.h"
#include "tools/pictures/Shapes.h"

#include <string>
#include <vector>

namespace pictures {

// Text is measured in cells of the glyph sheet, scaled to pixels.
constexpr float SPACE_WIDTH = 3.0f;  // cell units
constexpr float LETTER_GAP = 1.0f;
constexpr float CAP_HEIGHT = 7.0f;  // cell rows above the baseline

// Width in pixels from the first ink of s to its last.
float textWidth(const std::string& s, float scale, float tracking = 0.0f);

// How far the pen moves over s: where text that carries on after s starts.
float penAdvance(const std::string& s, float scale);

// Lays out text with its left edge at x and its baseline at y (pixels);
// returns stroke centre lines in pixels.
std::vector<Segment> layoutText(const std::string& s, float x, float baseline, float scale, float tracking = 0.0f);

// As layoutText, centred on centreX.
std::vector<Segment> layoutCentred(const std::string& s, float centreX, float baseline, float scale,
                                   float tracking = 0.0f);

// Distance (pixels) from every pixel centre to the nearest stroke centre
// line, capped at `reach`.
std::vector<float> distanceField(int w, int h, const std::vector<Segment>& segs, float reach);

// Calls shade(x, y, e) for every pixel, e being the pixel's distance (pixels)
// outside strokes of the given half width, measured up to `reach` from their
// centre lines.
template <class Shade>
void shadeAroundInk(Image& img, const std::vector<Segment>& segs, float halfWidth, float reach, Shade shade) {
    const std::vector<float> d = distanceField(img.w, img.h, segs, reach);
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) shade(x, y, d[static_cast<size_t>(y) * img.w + x] - halfWidth);
}

// Inks text strokes of the given half width (pixels) in a flat colour.
void drawText(Image& img, const std::vector<Segment>& segs, float halfWidth, Rgb colour);

// Soft shadow under text: darkens within `blur` pixels of the ink.
void drawTextShadow(Image& img, const std::vector<Segment>& segs, float halfWidth, float blur, Rgb colour,
                    float strength);

}  // namespace pictures
