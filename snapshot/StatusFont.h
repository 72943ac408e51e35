// The status line's glyphs without a display: GLUT's own Times Roman 24 bitmaps, drawn as GLUT does.
#pragma once

#include <string>

// Finds GLUT's Times Roman 24 table in the loaded GLUT library and checks that it has the expected
// shape. False, with the reason, when it is missing or looks different.
bool findStatusFont(std::string& reason);

// One character as glutBitmapCharacter draws it: its bitmap at the raster position, which then
// advances by the glyph's width. Needs findStatusFont to have succeeded.
void drawStatusCharacter(unsigned char character);

// The width in pixels of a line of text in the status font. Needs findStatusFont to have succeeded.
int statusTextWidth(const std::string& text);

// Paints a line of text in the status font into a picture of RGB rows from the top, with its left
// end at x and its baseline on row y, in the given colour; what falls outside the picture is left
// out. Needs findStatusFont to have succeeded.
void paintStatusText(unsigned char* rgb, int width, int height, int x, int y, const std::string& text,
                     const unsigned char colour[3]);
