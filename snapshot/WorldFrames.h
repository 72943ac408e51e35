// The program's loop without a window: a world grown, its ticks run and its frames drawn in tiles,
// for the snapshot tool's pictures, videos and sheets.
#pragma once

#include "snapshot/Offscreen.h"
#include "snapshot/SnapshotOptions.h"
#include "snapshot/Tiles.h"

#include <functional>
#include <string>

// The program's loop: the first frame before any tick, then every tick followed by a frame, as
// GLUT's idle and display callbacks alternate. Until the first frame that is kept, the frames only
// leave behind what a frame leaves for the next. Stops early when a signal asks to stop.
void runTicks(int ticks);

// The world of the seed grown as the program grows it, after the static objects, then a surface as
// large as the context allows for the tiles of a tiles.width x tiles.height picture, the keys given
// and the ticks run: what remains is drawing the frames that are kept. False, with the reason, when
// the context cannot draw or the status line it would show has no glyphs.
bool startWorld(unsigned seed, const SnapshotOptions& options, OffscreenContext& context, TileLayout& tiles,
                std::string& error);

// A frame, drawn once for every tile and read into pixels, bottom row first. False when GL reported
// an error.
bool drawFrameInTiles(const TileLayout& tiles, unsigned char* pixels, const std::function<void(int)>& tileDone);
