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
#include "snapshot/SnapshotOptions.h"
#include "snapshot/StatusFont.h"

#include <GL/gl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

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

// The program's loop: the first frame before any tick, then every tick followed by a frame, as
// GLUT's idle and display callbacks alternate. The frames count for the overlay's timers and the
// spotlight, which reads the previous frame's daylight; only the last one's pixels are kept, so the
// others only leave behind what a frame leaves for the next.
void run(const SnapshotOptions& options) {
    setViewport(1, 1);
    for (int i = 0; i < options.ticks; ++i) {
        passFrame();
        tick();
    }
    setViewport(options.width, options.height);
    drawFrame();
    glFinish();
}

}  // namespace

int main(int argc, char** argv) {
    const SnapshotOptions options = parseSnapshotOptions(argc, argv);
    if (const int status = answerWithText(options, NAME, printSnapshotHelp); status >= 0) return status;

    // Checked before the world is grown, so that a wrong path costs no waiting, and taken before
    // moving into the picture folder, which changes what a relative path means.
    OutputFile output;
    std::string error;
    if (!output.prepare(options.out, error)) fail(error);
    const std::string outPath = absolutePath(options.out);
    const std::string pictures = options.pictures.empty() ? defaultPictureFolder() : options.pictures;
    if (chdir(pictures.c_str()) != 0) fail("cannot use the picture folder " + pictures + ": " + std::strerror(errno));
    std::string fontProblem;
    const bool fontFound = findStatusFont(fontProblem);

    const unsigned seed = options.seeded ? options.seed : static_cast<unsigned>(std::time(nullptr));
    // As the program: the static objects, then the world, then a GL context, which must not exist
    // while the world grows.
    createStaticObjects();
    growWorld(seed);
    std::fflush(stdout);

    OffscreenContext context;
    if (!context.open(options.width, options.height, error)) fail("no offscreen GL context: " + error);
    setInitialGLState();
    overlay->statusCharacter = drawStatusCharacter;
    for (const Key& key : options.keys) pressKey(key);
    // Nothing but a key shows a status line, and each frame before the last counts it down.
    if (overlay->statusFrames > options.ticks && !fontFound)
        fail("the picture would show the status line \"" + overlay->statusText + "\", but " + fontProblem);
    run(options);
    std::vector<unsigned char> pixels(static_cast<size_t>(options.width) * options.height * 3);
    while (glGetError() != GL_NO_ERROR) {
    }
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, options.width, options.height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    if (glGetError() != GL_NO_ERROR) fail("reading the frame back from GL failed");
    if (!writePNG(output, options.width, options.height, 3, pixels.data(), true, error)) fail(error);
    std::printf("%s: seed %u, %d ticks, %dx%d, written to %s\n", NAME, seed, options.ticks, options.width,
                options.height, outPath.c_str());
    return 0;
}
