// What the viewer does differently on each platform: where its console and its pictures are, and
// what a seed means.
#pragma once

// Adapts the process to its platform before anything is printed or read: on a platform that starts
// a windowed program without a console it finds or makes one (the parent's for output, one of the
// program's own when the display mode is to be asked for and there is no input to read it from),
// and where the pictures are not read from the working directory it enters their folder.
void preparePlatform(bool asksForMode);

// What the help adds to the seed's line, and where it says the pictures are read from.
#ifdef _WIN32
#define SEED_HELP                                                                          \
    "               on Windows; Linux grows another world from it (the C libraries'\n" \
    "               random generators differ)\n"
#define PICTURE_FOLDER_HELP "title.ppm, f1title.ppm, help.ppm, logo.ppm) are read from the folder of\nflorvane.exe.\n"
#else
#define SEED_HELP ""
#define PICTURE_FOLDER_HELP                                                               \
    "title.ppm, f1title.ppm, help.ppm, logo.ppm) are read from the working directory;\n" \
    "the installed launcher starts the program in their folder.\n"
#endif
