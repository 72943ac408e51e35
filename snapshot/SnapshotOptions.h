// The snapshot tool's command line.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// A command as the program receives it: a character for the keyboard handler, or a GLUT special key.
struct KeyCommand {
    bool special;
    int code;
};

struct SnapshotOptions {
    bool help = false;
    bool version = false;
    bool seeded = false;
    unsigned seed = 0;
    int ticks = 100;
    std::vector<KeyCommand> keys;
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
    // What was wrong with the arguments; empty when nothing was.
    std::string error;
};

SnapshotOptions parseSnapshotOptions(int argc, char** argv);

void printSnapshotHelp(std::FILE* stream);

// Reads a comma-separated list of keys into commands; false with the error set for an unknown key.
bool readKeys(const std::string& list, std::vector<KeyCommand>& keys, std::string& error);
