// A picture larger than the surface it is drawn on, drawn tile by tile: every tile sees the whole
// picture's viewport moved so that the tile lies on the surface, and so gets exactly the pixels the
// whole picture would have there.
#pragma once

#include <functional>

struct TileLayout {
    int width = 0, height = 0;
    int tileWidth = 0, tileHeight = 0;
    int columns = 0, rows = 0;

    int count() const { return columns * rows; }
};

// The fewest columns and rows of equal tiles, each at most maxTileWidth x maxTileHeight, that cover
// a width x height picture; the last column and row may be narrower.
TileLayout layTiles(int width, int height, int maxTileWidth, int maxTileHeight);

// Draws every tile with draw, which must draw the same frame each time it is called, on a surface at
// least one tile large, and reads each into pixels: width * height * 3 bytes, red, green, blue, rows
// from the bottom as GL reads them. After each tile, tileDone gets the number of tiles done. False
// when GL reported an error.
bool drawTiles(const TileLayout& layout, const std::function<void()>& draw, unsigned char* pixels,
               const std::function<void(int)>& tileDone);
