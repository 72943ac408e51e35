// Writes pictures as PNG files, for the snapshots and the desktop icon.
#pragma once

#include <string>

// Writes width x height pixels of the given channels (3: red, green, blue; 4: with alpha), rows from
// the top unless bottomUp is set (as glReadPixels returns them). On failure returns false and puts
// the reason into error.
bool writePNG(const std::string& path, int width, int height, int channels, const unsigned char* pixels,
              bool bottomUp, std::string& error);
