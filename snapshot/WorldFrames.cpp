// The program's loop without a window: a world grown, its ticks run and its frames drawn in tiles.
#include "snapshot/WorldFrames.h"

#include "app/Entry.h"
#include "app/Frame.h"
#include "app/Input.h"
#include "app/Options.h"
#include "app/Overlay.h"
#include "app/Tick.h"
#include "app/World.h"
#include "snapshot/Interruption.h"
#include "snapshot/Progress.h"
#include "snapshot/StatusFont.h"

#include <GL/gl.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace {

// The largest tile side: only the tests make it smaller, through FLORVANE_SNAPSHOT_TILE, to compare
// pictures drawn in tiles with whole ones of a size that fits the surface.
int tileLimit(int surfaceLimit) {
    const char* asked = std::getenv("FLORVANE_SNAPSHOT_TILE");
    unsigned long long side = 0;
    return asked != nullptr && readNumber(asked, 1, INT_MAX, side) ? std::min(surfaceLimit, static_cast<int>(side))
                                                                   : surfaceLimit;
}

}  // namespace

// The frames count for the overlay's timers and the spotlight, which reads the previous frame's
// daylight.
void runTicks(int ticks) {
    Progress progress("ticks", ticks);
    setViewport(1, 1);
    for (int i = 0; i < ticks && interruption() == 0; ++i) {
        passFrame();
        tick();
        progress.show(i + 1);
    }
}

// Drawing a frame counts down the overlay's timers and moves the logo's pulse, and leaves GL state
// behind, so each tile starts from what the first found.
bool drawFrameInTiles(const TileLayout& tiles, unsigned char* pixels, const std::function<void(int)>& tileDone) {
    const int titleFrames = overlay->titleFrames, helpFrames = overlay->helpFrames,
              statusFrames = overlay->statusFrames;
    const float logoPhase = overlay->logoPhase;
    setViewport(tiles.width, tiles.height);
    return drawTiles(
        tiles,
        [&] {
            overlay->titleFrames = titleFrames;
            overlay->helpFrames = helpFrames;
            overlay->statusFrames = statusFrames;
            overlay->logoPhase = logoPhase;
            glPushAttrib(GL_ALL_ATTRIB_BITS);
            drawFrame();
            glPopAttrib();
        },
        pixels, tileDone);
}

bool startWorld(unsigned seed, const SnapshotOptions& options, OffscreenContext& context, TileLayout& tiles,
                std::string& error) {
    std::string fontProblem;
    const bool fontFound = findStatusFont(fontProblem);
    // As the program: the static objects, then the world, then the GL context draws.
    growWorld(seed);
    std::fflush(stdout);
    tiles = layTiles(tiles.width, tiles.height, tileLimit(context.maxSurfaceWidth),
                     tileLimit(context.maxSurfaceHeight));
    if (!context.drawOnSurface(tiles.tileWidth, tiles.tileHeight, error)) {
        error = "no offscreen GL context: " + error;
        return false;
    }
    setInitialGLState();
    overlay->statusCharacter = drawStatusCharacter;
    for (const Key& key : options.keys) pressKey(key);
    // Nothing but a key shows a status line, and each frame before the first kept counts it down.
    if (overlay->statusFrames > options.ticks && !fontFound) {
        error = "the picture would show the status line \"" + overlay->statusText + "\", but " + fontProblem;
        return false;
    }
    runTicks(options.ticks);
    return true;
}

