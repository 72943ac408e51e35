// florvane-snapshot: one frame of a Florvane world as a PNG picture, made without any display.
#include "app/Entry.h"
#include "app/Frame.h"
#include "app/Input.h"
#include "app/Options.h"
#include "app/Overlay.h"
#include "app/Tick.h"
#include "app/World.h"
#include "core/Path.h"
#include "snapshot/Offscreen.h"
#include "snapshot/OutputFile.h"
#include "snapshot/Png.h"
#include "snapshot/Progress.h"
#include "snapshot/SnapshotOptions.h"
#include "snapshot/StatusFont.h"
#include "snapshot/Tiles.h"

#include <GL/gl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <new>
#include <string>

namespace {

const char NAME[] = "florvane-snapshot";

[[noreturn]] void fail(const std::string& message) {
    std::fprintf(stderr, "%s: %s\n", NAME, message.c_str());
    std::exit(1);
}

bool isFolder(const std::string& path) {
    struct stat status;
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// Where the build (data/ beside the tool) or the installation (share/florvane beside bin/) puts the
// pictures; the working directory when neither exists.
std::string defaultPictureFolder() {
    char self[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length > 0) {
        const std::string folder = folderOf(std::string(self, static_cast<size_t>(length)));
        for (const char* candidate : {"/data", "/../share/florvane"})
            if (isFolder(folder + candidate)) return folder + candidate;
    }
    return ".";
}

// The largest tile side: only the tests make it smaller, through FLORVANE_SNAPSHOT_TILE, to compare
// pictures drawn in tiles with whole ones of a size that fits the surface.
int tileLimit(int surfaceLimit) {
    const char* asked = std::getenv("FLORVANE_SNAPSHOT_TILE");
    unsigned long long side = 0;
    return asked != nullptr && readNumber(asked, 1, INT_MAX, side) ? std::min(surfaceLimit, static_cast<int>(side))
                                                                   : surfaceLimit;
}

// The program's loop: the first frame before any tick, then every tick followed by a frame, as
// GLUT's idle and display callbacks alternate. The frames count for the overlay's timers and the
// spotlight, which reads the previous frame's daylight; only the last one's pixels are kept, so the
// others only leave behind what a frame leaves for the next.
void runTicks(int ticks) {
    Progress progress("ticks", ticks);
    setViewport(1, 1);
    for (int i = 0; i < ticks; ++i) {
        passFrame();
        tick();
        progress.show(i + 1);
    }
}

// The last frame, drawn once for every tile. Drawing a frame counts down the overlay's timers and
// moves the logo's pulse, and leaves GL state behind, so each tile starts from what the first found.
void drawLastFrame(const TileLayout& tiles, unsigned char* pixels) {
    const int titleFrames = overlay->titleFrames, helpFrames = overlay->helpFrames,
              statusFrames = overlay->statusFrames;
    const float logoPhase = overlay->logoPhase;
    Progress progress("tiles", tiles.count() > 1 ? tiles.count() : 0);
    setViewport(tiles.width, tiles.height);
    const bool drawn = drawTiles(
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
        pixels, [&](int done) { progress.show(done); });
    if (!drawn) fail("drawing the frame or reading it back from GL failed");
}

}  // namespace

int main(int argc, char** argv) {
    const SnapshotOptions options = parseSnapshotOptions(argc, argv);
    if (const int status = answerWithText(options, NAME, printSnapshotHelp); status >= 0) return status;

    // Everything that can be checked is checked before the world grows, so that a wrong size or
    // path costs no waiting.
    OffscreenContext context;
    std::string error;
    if (!context.open(error)) fail("no offscreen GL context: " + error);
    if (options.width > context.maxPictureWidth || options.height > context.maxPictureHeight) {
        CommonOptions refused;
        refused.error = "--size " + std::to_string(options.width) + "x" + std::to_string(options.height) +
                        " is more than this GL can draw: at most " + std::to_string(context.maxPictureWidth) + "x" +
                        std::to_string(context.maxPictureHeight);
        return answerWithText(refused, NAME, printSnapshotHelp);
    }
    // Taken before moving into the picture folder, which changes what a relative path means.
    OutputFile output;
    if (!output.prepare(options.out, error)) fail(error);
    const std::string outPath = absolutePath(options.out);
    const size_t bytes = static_cast<size_t>(options.width) * static_cast<size_t>(options.height) * 3;
    const std::unique_ptr<unsigned char[]> pixels(new (std::nothrow) unsigned char[bytes]);
    if (pixels == nullptr)
        fail("not enough memory for a " + std::to_string(options.width) + "x" + std::to_string(options.height) +
             " picture (" + std::to_string(bytes >> 20) + " MiB)");
    const std::string pictures = options.pictures.empty() ? defaultPictureFolder() : options.pictures;
    if (chdir(pictures.c_str()) != 0) fail("cannot use the picture folder " + pictures + ": " + std::strerror(errno));
    std::string fontProblem;
    const bool fontFound = findStatusFont(fontProblem);

    const unsigned seed = options.seeded ? options.seed : static_cast<unsigned>(std::time(nullptr));
    // As the program: the static objects, then the world, then the GL context draws.
    createStaticObjects();
    growWorld(seed);
    std::fflush(stdout);

    const TileLayout tiles = layTiles(options.width, options.height, tileLimit(context.maxSurfaceWidth),
                                      tileLimit(context.maxSurfaceHeight));
    if (!context.drawOnSurface(tiles.tileWidth, tiles.tileHeight, error)) fail("no offscreen GL context: " + error);
    setInitialGLState();
    overlay->statusCharacter = drawStatusCharacter;
    for (const Key& key : options.keys) pressKey(key);
    // Nothing but a key shows a status line, and each frame before the last counts it down.
    if (overlay->statusFrames > options.ticks && !fontFound)
        fail("the picture would show the status line \"" + overlay->statusText + "\", but " + fontProblem);
    setAspect(options.aspect);
    runTicks(options.ticks);
    drawLastFrame(tiles, pixels.get());
    if (!writePNG(output, options.width, options.height, 3, pixels.get(), true, error)) fail(error);
    std::printf("%s: seed %u, %d ticks, %dx%d, written to %s\n", NAME, seed, options.ticks, options.width,
                options.height, outPath.c_str());
    return 0;
}
