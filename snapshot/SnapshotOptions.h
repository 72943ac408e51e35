// The snapshot tool's command line.
#pragma once

#include "app/Input.h"
#include "app/Options.h"

#include <cstdio>
#include <string>
#include <vector>

struct SnapshotOptions : CommonOptions {
    int ticks = 100;
    std::vector<Key> keys;
    // Only the syntax is checked here: how large a picture the GL can draw is known once it is open.
    int width = 1024;
    int height = 768;
    bool sized = false;
    // A video of this many frames, one tick apart, instead of one picture; 0 for a picture.
    int frames = 0;
    int fps = 30;
    // A contact sheet of these worlds instead of one picture; empty for none.
    std::vector<unsigned> sheet;
    // Empty: florvane-snapshot.png, or .mp4 for a video.
    std::string out;
    // Empty: beside the tool, where the build or the installation puts the pictures.
    std::string pictures;
};

SnapshotOptions parseSnapshotOptions(int argc, char** argv);

void printSnapshotHelp(std::FILE* stream);

// Reads a comma-separated list of key names, in any case, into keys; false with the error set for a
// name the key table does not know, for Esc and for an empty name.
bool readKeys(const std::string& list, std::vector<Key>& keys, std::string& error);
