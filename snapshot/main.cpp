// florvane-snapshot: a frame of a Florvane world as a PNG picture, its frames as a video, or many
// worlds side by side on a contact sheet, made without any display.
#include "app/Entry.h"
#include "app/Input.h"
#include "app/Options.h"
#include "app/Tick.h"
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
#include "snapshot/WorldFrames.h"
#include "snapshot/VideoEncoder.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

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
                options.frames, options.ticks, options.width, options.height, options.fps, outPath.c_str());
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
    // A sheet's worlds open contexts of their own, each a small one.
    const bool drawsHere = options.sheet.empty();
    if (drawsHere && !context.open(error)) fail("no offscreen GL context: " + error);
    if (drawsHere && (options.width > context.maxPictureWidth || options.height > context.maxPictureHeight)) {
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
