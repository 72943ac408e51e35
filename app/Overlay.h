// What lies flat on the screen over the scene: the title card, the help picture, the hint, the
// pulsing logo and the green status line. All its timing is counted in frames.
#pragma once

#include "core/Image.h"
#include "core/SceneObject.h"

#include <string>

// Draws one character of the status line at the current raster position and moves that on.
using CharacterDrawer = void (*)(unsigned char character);

// A character in GLUT's Times Roman 24 bitmap font; GLUT must have been initialised on a display.
void drawTimesRomanCharacter(unsigned char character);

class Overlay : public SceneObject {
public:
    static constexpr int TITLE_FRAMES = 75;
    static constexpr int HELP_FRAMES = 25;
    static constexpr int STATUS_FRAMES = 100;

    // Loads title.ppm, f1title.ppm, help.ppm and logo.ppm, in this order.
    Overlay();
    ~Overlay() override;

    // Title, help, status line and hint, each while its countdown lasts; one frame off each count.
    void draw() override;
    // The logo in the top-right corner, added onto the scene with a pulsing strength.
    void drawLogo();
    // Shows the text for the next 100 frames, ending a title or help display; the overlay keeps its
    // own copy.
    void showStatus(const char* text);
    // Shows the help for 25 frames and ends the title and any status line at once.
    void showHelp();

    Image* titleImage;
    Image* hintImage;
    Image* helpImage;
    Image* logoImage;
    std::string statusText;
    int titleFrames = TITLE_FRAMES;
    int helpFrames = 0;
    int statusFrames = 0;
    float logoPhase = 0;
    // How the status line's characters reach GL; a renderer without a display puts the same glyphs
    // here through its own drawer.
    CharacterDrawer statusCharacter = drawTimesRomanCharacter;
};
