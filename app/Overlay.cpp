// What lies flat on the screen over the scene, drawn with identity matrices in normalised device
// coordinates.
#include "app/Overlay.h"

#include "app/Projection.h"
#include "core/Clock.h"

#include <GL/freeglut.h>
#include <cmath>

namespace {

// A screen rectangle as its corners in drawing order: texture coordinates (s, t), then x, y. t = 0 is
// the picture's first row, so pictures stand upright.
struct Corner {
    float s, t, x, y;
};
// The rectangle laid out for a 4:3 screen, and the point of the screen it keeps its place at when the
// overlay's scale shrinks it: a corner or the centre.
struct Rectangle {
    Corner corners[4];
    float anchorX, anchorY;
};

const Rectangle CENTRE = {{{0, 0, -0.75f, 0.5f}, {0, 1, -0.75f, -0.5f}, {1, 1, 0.75f, -0.5f}, {1, 0, 0.75f, 0.5f}},
                          0, 0};
const Rectangle HINT = {{{0, 0, -1, -0.95f}, {0, 1, -1, -1}, {1, 1, -0.75f, -1}, {1, 0, -0.75f, -0.95f}}, -1, -1};
const Rectangle LOGO = {{{0, 0, 0.75f, 1}, {0, 1, 0.75f, 0.8125f}, {1, 1, 1, 0.8125f}, {1, 0, 1, 1}}, 1, 1};

// A coordinate moved towards its anchor by the scale. At the scale 1 it gives back every coordinate
// above exactly: each lies on its anchor's side of the screen, so no step rounds.
float placed(float coordinate, float anchor, float scale) { return anchor + (coordinate - anchor) * scale; }

// The picture replaces the colour, keeping the current alpha for blending.
void pictureStep(const Image* image) {
    sendPicture(image);
    glEnable(GL_TEXTURE_2D);
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
    glRasterPos2f(0, 0);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
}

void quad(const Rectangle& rectangle) {
    const OverlayScale scale = overlayScale();
    glBegin(GL_QUADS);
    for (const Corner& c : rectangle.corners) {
        glTexCoord2f(c.s, c.t);
        glVertex2f(placed(c.x, rectangle.anchorX, scale.x), placed(c.y, rectangle.anchorY, scale.y));
    }
    glEnd();
}

// Added onto the scene: a faded picture brightens what lies behind it instead of covering it.
void additiveBlending() {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);
}

// The help or the title in the centre, at the given alpha, added onto the scene when asked.
void centrePicture(const Image* image, float alpha, bool blended) {
    glPushMatrix();
    pictureStep(image);
    glColor4f(1, 1, 1, alpha);
    if (blended) additiveBlending();
    quad(CENTRE);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glPopMatrix();
}

}  // namespace

void drawTimesRomanCharacter(unsigned char character) { glutBitmapCharacter(GLUT_BITMAP_TIMES_ROMAN_24, character); }

Overlay::Overlay()
    : titleImage(loadPPM("title.ppm")),
      hintImage(loadPPM("f1title.ppm")),
      helpImage(loadPPM("help.ppm")),
      logoImage(loadPPM("logo.ppm")) {}

Overlay::~Overlay() {
    for (Image* image : {titleImage, hintImage, helpImage, logoImage}) releaseImage(image);
}

void Overlay::showStatus(const char* text) {
    statusText = text;
    statusFrames = STATUS_FRAMES;
}

void Overlay::showHelp() {
    helpFrames = HELP_FRAMES;
    titleFrames = 0;
    statusFrames = 0;
}

void Overlay::drawLogo() {
    glPushMatrix();
    pictureStep(logoImage);
    // The alpha pulses between 0.2 and 0.8, about once every 63 frames.
    glColor4f(1, 1, 1, static_cast<float>(std::sin(static_cast<double>(logoPhase)) * 0.3 + 0.5));
    additiveBlending();
    quad(LOGO);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glPopMatrix();
    // From 32768 on a float would round the step 0.1 by over 1.5 %, and from 2097152 (four days at 60
    // frames a second) drop it; below, it is within 0.4 % and the first 1.5 hours stay exactly as
    // they were.
    logoPhase = advanceClock(logoPhase, 0.1, 32768, FULL_TURN);
}

void Overlay::draw() {
    if (helpFrames > 0) {
        // Blended while the title is low, which showHelp makes always.
        centrePicture(helpImage, helpFrames <= 10 ? static_cast<float>(helpFrames * 0.07) : 0.7f, titleFrames < 10);
        --helpFrames;
    }
    if (titleFrames > 0) {
        // Opaque for its first frames, then fading out added onto the scene.
        centrePicture(titleImage, titleFrames <= 25 ? static_cast<float>(titleFrames * 0.04) : 1.0f,
                      titleFrames < 25);
        --titleFrames;
    }
    if (statusFrames > 0) {
        // A status line ends the title and the help from the next frame on.
        titleFrames = 0;
        helpFrames = 0;
        glColor3f(0, 1, 0);
        glPushMatrix();
        glDisable(GL_LIGHTING);
        // Its place beside the hint in the bottom-left corner.
        const OverlayScale scale = overlayScale();
        glRasterPos2f(placed(-0.75f, -1, scale.x), placed(-0.75f, -1, scale.y));
        glColor3f(0, 1, 0);
        for (char c : statusText) statusCharacter(static_cast<unsigned char>(c));
        glEnable(GL_LIGHTING);
        glPopMatrix();
        --statusFrames;
    }
    // The help's last frame already shows the hint again: its count reached 0 above.
    if (helpFrames == 0) {
        glPushMatrix();
        glColor3f(1, 1, 1);
        pictureStep(hintImage);
        glColor3f(1, 1, 1);
        quad(HINT);
        glDisable(GL_TEXTURE_2D);
        glPopMatrix();
    }
}
