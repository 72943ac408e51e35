// florvane-snapshot: a frame of a Florvane world as a PNG picture, its frames as a video, or many
// worlds side by side on a contact sheet, made without any display.
#include "app/Entry.h"
#include "app/Frame.h"
#include "app/Input.h"
#include "app/Options.h"
#include "app/Overlay.h"
#include "app/Tick.h"
#include "app/World.h"
#include "core/Path.h"
#include "snapshot/ContactSheet.h"
#include "snapshot/Interruption.h"
#include "snapshot/Offscreen.h"
#include "snapshot/OutputFile.h"
#include "snapshot/Png.h"
#include "snapshot/Progress.h"
#include "snapshot/SnapshotOptions.h"
#include "snapshot/StatusFont.h"
#include "snapshot/Tiles.h"
#include "snapshot/VideoEncoder.h"

#include <GL/freeglut.h>
#include <signal.h>
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
#include <vector>

namespace {

const char NAME[] = "florvane-snapshot";

[[noreturn]] void fail(const std::string& message) {
    std::fprintf(stderr, "%s: %s\n", NAME, message.c_str());
    std::exit(1);
}

// Gives up the unfinished file; an interruption then ends the process as the signal would have.
[[noreturn]] void abandon(OutputFile& output, const std::string& message) {
    output.discard();
    if (const int caught = interruption()) {
        std::fprintf(stderr, "%s: interrupted; nothing written\n", NAME);
        signal(caught, SIG_DFL);
        raise(caught);
    }
    fail(message);
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
    for (int i = 0; i < ticks && interruption() == 0; ++i) {
        passFrame();
        tick();
        progress.show(i + 1);
    }
}

// A frame, drawn once for every tile. Drawing a frame counts down the overlay's timers and moves the
// logo's pulse, and leaves GL state behind, so each tile starts from what the first found. False
// when GL reported an error.
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

// The world of the seed grown as the program grows it, then drawn in tiles as large as the context
// allows, the keys given and the ticks run: what remains is drawing the frames that are kept.
// False, with the reason, when the context cannot draw.
bool startWorld(unsigned seed, const SnapshotOptions& options, OffscreenContext& context, TileLayout& tiles,
                std::string& error) {
    std::string fontProblem;
    const bool fontFound = findStatusFont(fontProblem);
    // As the program: the static objects, then the world, then the GL context draws.
    growWorld(seed);
    std::fflush(stdout);
    tiles = layTiles(tiles.width, tiles.height, tileLimit(context.maxSurfaceWidth), tileLimit(context.maxSurfaceHeight));
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

// The frames one tick apart, encoded while the next is drawn, into the output.
void writeVideo(const SnapshotOptions& options, OffscreenContext& context, unsigned seed, OutputFile& output,
                const std::string& outPath) {
    std::string error;
    std::FILE* file = output.open(error);
    if (file == nullptr) fail(error);
    // Opened before the world grows, so that an encoder that refuses costs no waiting.
    VideoEncoder encoder;
    if (!encoder.open(file, videoFormatOf(options.out), options.width, options.height, options.fps, error))
        abandon(output, "cannot write " + options.out + ": " + error);
    TileLayout tiles{options.width, options.height};
    if (!startWorld(seed, options, context, tiles, error)) abandon(output, error);
    std::vector<unsigned char> pixels(static_cast<size_t>(options.width) * options.height * 3);
    Progress progress("frames", options.frames);
    bool drawn = true;
    for (int frame = 0; frame < options.frames && interruption() == 0 && drawn; ++frame) {
        if (frame > 0) tick();
        drawn = drawFrameInTiles(tiles, pixels.data(), [](int) {});
        // The encoder refuses further frames once it has failed; finishing says why.
        if (drawn && !encoder.add(pixels)) break;
        progress.show(frame + 1);
    }
    const bool encoded = encoder.finish(error);
    if (interruption() != 0 || !drawn) abandon(output, "drawing a frame or reading it back from GL failed");
    if (!encoded) abandon(output, "cannot write " + options.out + ": " + error);
    if (!output.commit(error)) fail(error);
    std::printf("%s: seed %u, %d frames from tick %d, %dx%d at %d frames a second, written to %s\n", NAME, seed,
                options.frames, options.ticks, options.width, options.height, options.fps,
                outPath.c_str());
}

// Each world at noon in a process of its own, which opens its own GL context: one opened here would
// not survive into them.
void writeSheet(const SnapshotOptions& options, OutputFile& output, const std::string& outPath) {
    std::string error;
    if (!findStatusFont(error)) fail("the seeds cannot be labelled: " + error);
    SnapshotOptions atNoon = options;
    atNoon.keys.insert(atNoon.keys.begin(), *findKey("F8"));
    const SheetLayout layout(static_cast<int>(options.sheet.size()), options.width, options.height);
    const WorldPicture draw = [&atNoon](unsigned seed, int width, int height, std::vector<unsigned char>& pixels,
                                        std::string& problem) {
        OffscreenContext context;
        TileLayout tiles{width, height};
        if (!context.open(problem) || !startWorld(seed, atNoon, context, tiles, problem)) return false;
        pixels.resize(static_cast<size_t>(width) * height * 3);
        if (drawFrameInTiles(tiles, pixels.data(), [](int) {})) return true;
        problem = "drawing the frame or reading it back from GL failed";
        return false;
    };
    Progress progress("worlds", static_cast<long>(options.sheet.size()));
    std::vector<unsigned char> sheet;
    if (!drawContactSheet(options.sheet, layout, draw, [&progress](int done) { progress.show(done); }, sheet, error))
        abandon(output, error);
    if (!writePNG(output, layout.width, layout.height, 3, sheet.data(), false, error)) fail(error);
    std::printf("%s: %zu worlds at noon after %d ticks, %dx%d, written to %s\n", NAME, options.sheet.size(),
                options.ticks, layout.width, layout.height, outPath.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    const SnapshotOptions options = parseSnapshotOptions(argc, argv);
    if (const int status = answerWithText(options, NAME, printSnapshotHelp); status >= 0) return status;

    // From here on a signal only asks to stop, between ticks, frames or worlds.
    catchInterruptions();
    // Everything that can be checked is checked before the world grows, so that a wrong size or
    // path costs no waiting.
    OffscreenContext context;
    std::string error;
    if (options.sheet.empty() && !context.open(error)) fail("no offscreen GL context: " + error);
    if (options.sheet.empty() && (options.width > context.maxPictureWidth || options.height > context.maxPictureHeight)) {
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
    const std::string pictures = options.pictures.empty() ? defaultPictureFolder() : options.pictures;
    if (chdir(pictures.c_str()) != 0) fail("cannot use the picture folder " + pictures + ": " + std::strerror(errno));
    createStaticObjects();
    if (!options.sheet.empty()) {
        writeSheet(options, output, outPath);
        return 0;
    }
    const unsigned seed = options.seeded ? options.seed : static_cast<unsigned>(std::time(nullptr));
    if (options.frames > 0) {
        writeVideo(options, context, seed, output, outPath);
        return 0;
    }
    const size_t bytes = static_cast<size_t>(options.width) * static_cast<size_t>(options.height) * 3;
    const std::unique_ptr<unsigned char[]> pixels(new (std::nothrow) unsigned char[bytes]);
    if (pixels == nullptr)
        fail("not enough memory for a " + std::to_string(options.width) + "x" + std::to_string(options.height) +
             " picture (" + std::to_string(bytes >> 20) + " MiB)");
    TileLayout tiles{options.width, options.height};
    if (!startWorld(seed, options, context, tiles, error)) fail(error);
    Progress progress("tiles", tiles.count() > 1 ? tiles.count() : 0);
    if (!drawFrameInTiles(tiles, pixels.get(), [&progress](int done) { progress.show(done); }))
        fail("drawing the frame or reading it back from GL failed");
    if (interruption() != 0) abandon(output, "");
    if (!writePNG(output, options.width, options.height, 3, pixels.get(), true, error)) fail(error);
    std::printf("%s: seed %u, %d ticks, %dx%d, written to %s\n", NAME, seed, options.ticks, options.width,
                options.height, outPath.c_str());
    return 0;
}
