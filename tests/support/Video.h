// Reads a video back with FFmpeg's libraries, as a player would: every frame as an upright RGB picture.
#pragma once

#include "tests/support/Viewer.h"

#include <string>
#include <vector>

struct DecodedVideo {
    std::string codec;  // the decoder's name, "h264" or "vp9"
    double fps = 0;
    std::vector<Screenshot> frames;
    std::string error;  // empty when the whole file decoded
};

DecodedVideo decodeVideo(const std::string& path);
