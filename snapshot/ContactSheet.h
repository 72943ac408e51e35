// Many worlds on one picture: each seed's world small, in a grid, labelled with its seed.
#pragma once

#include <functional>
#include <string>
#include <vector>

constexpr int MAX_SHEET_SEEDS = 64;

// Reads seeds given as a range, a list or both, such as "1-16", "3,7,42" or "1-4,9", at most
// MAX_SHEET_SEEDS of them; false with the error set for anything else.
bool readSeedList(const std::string& text, std::vector<unsigned>& seeds, std::string& error);

// Where the pictures go: a grid about as wide as high, each picture with a strip for its label below.
struct SheetLayout {
    int columns = 0, rows = 0;
    int pictureWidth = 0, pictureHeight = 0;
    int width = 0, height = 0;

    SheetLayout(int count, int pictureWidth, int pictureHeight);
    int left(int index) const;
    int top(int index) const;
};

// Draws the world of a seed as the picture tool does, at the given size, into RGB rows bottom row
// first as GL gives them; false with the reason when it cannot.
using WorldPicture = std::function<bool(unsigned seed, int width, int height, std::vector<unsigned char>& pixels,
                                        std::string& error)>;

// The sheet as RGB rows from the top. Each world is grown and drawn at twice its size in the sheet
// in a process of its own (the world lives until its process ends), a few at a time, then halved
// into its place and labelled "seed N". done is told how many worlds are finished after each one.
// False, with the reason, when a world could not be drawn or a signal interrupted the work.
bool drawContactSheet(const std::vector<unsigned>& seeds, const SheetLayout& layout, const WorldPicture& draw,
                      const std::function<void(int done)>& progress, std::vector<unsigned char>& sheet,
                      std::string& error);
