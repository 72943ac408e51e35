// The status line's glyphs without a display: GLUT's own Times Roman 24 bitmaps, drawn as GLUT does.
#pragma once

#include <string>

// Finds GLUT's Times Roman 24 table in the loaded GLUT library and checks that it has the expected
// shape. False, with the reason, when it is missing or looks different.
bool findStatusFont(std::string& reason);

// One character as glutBitmapCharacter draws it: its bitmap at the raster position, which then
// advances by the glyph's width. Needs findStatusFont to have succeeded.
void drawStatusCharacter(unsigned char character);
