// Writes pictures as PNG files, for the snapshots and the desktop icon.
#pragma once

#include "snapshot/OutputFile.h"

#include <string>

// Writes width x height pixels of the given channels (3: red, green, blue; 4: with alpha) into the
// prepared output, rows from the top unless bottomUp is set (as glReadPixels returns them). On
// failure the output keeps what it had, and the reason is in error.
bool writePNG(OutputFile& output, int width, int height, int channels, const unsigned char* pixels, bool bottomUp,
              std::string& error);
