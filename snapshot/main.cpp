// florvane-snapshot: one frame of a Florvane world as a PNG picture, made without any display.
#include "app/Entry.h"
#include "app/Frame.h"
#include "app/Input.h"
#include "app/Options.h"
#include "app/Overlay.h"
#include "app/Tick.h"
#include "app/World.h"
#include "core/Png.h"
#include "snapshot/ContactSheet.h"
#include "snapshot/Interruption.h"
#include "snapshot/Offscreen.h"
#include "snapshot/SnapshotOptions.h"
#include "snapshot/StatusFont.h"
#include "snapshot/VideoEncoder.h"

#include <GL/freeglut.h>
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

std::string workingDirectory() {
    char* path = getcwd(nullptr, 0);
    if (path == nullptr) fail(std::string("cannot tell the working directory: ") + std::strerror(errno));
    std::string result = path;
    std::free(path);
    return result;
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == 0 ? "/" : path.substr(0, slash);
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
// spotlight, which reads the previous frame's daylight; until the first frame that is kept, they
// only leave behind what a frame leaves for the next.
void runTicks(const std::vector<KeyCommand>& keys, int ticks) {
    for (const KeyCommand& key : keys) {
        if (key.special)
            specialKey(key.code, 0, 0);
        else
            keyboard(static_cast<unsigned char>(key.code), 0, 0);
    }
    setViewport(1, 1);
    for (int i = 0; i < ticks; ++i) {
        passFrame();
        tick();
    }
}

// One frame drawn at its full size and read back, bottom row first.
bool readFrame(int width, int height, std::vector<unsigned char>& pixels) {
    setViewport(width, height);
    drawFrame();
    pixels.resize(static_cast<size_t>(width) * height * 3);
    while (glGetError() != GL_NO_ERROR) {
    }
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return glGetError() == GL_NO_ERROR;
}

// The world of the seed grown as the program grows it, then a GL context of the given size, which
// must not exist while the world grows, with the status line's glyphs, the keys given and the ticks
// run: what remains is drawing the frames that are kept.
bool startWorld(unsigned seed, const SnapshotOptions& options, int width, int height, OffscreenContext& context,
                std::string& error) {
    growWorld(seed);
    std::fflush(stdout);
    if (!context.open(width, height, error)) {
        error = "no offscreen GL context: " + error;
        return false;
    }
    setInitialGLState();
    std::string fontProblem;
    if (findStatusFont(fontProblem)) {
        overlay->statusCharacter = drawStatusCharacter;
    } else {
        // Only key commands show a status line; without them nothing is missing.
        overlay->statusCharacter = [](unsigned char) {};
        if (!options.keys.empty())
            std::fprintf(stderr, "%s: the status line is left out of the picture: %s\n", NAME, fontProblem.c_str());
    }
    runTicks(options.keys, options.ticks);
    return true;
}

// A file in the folder of the output, renamed over it once complete.
std::string temporaryBeside(const std::string& out) {
    std::string path = folderOf(out) + "/.florvane-XXXXXX";
    const int descriptor = mkstemp(&path[0]);
    if (descriptor < 0) fail("cannot write into " + folderOf(out) + ": " + std::strerror(errno));
    close(descriptor);
    return path;
}

[[noreturn]] void abandon(const std::string& temporary, const std::string& message) {
    std::remove(temporary.c_str());
    if (interruption() != 0) {
        std::fprintf(stderr, "%s: interrupted; nothing written\n", NAME);
        std::exit(128 + interruption());
    }
    fail(message);
}

void writeVideo(const SnapshotOptions& options, unsigned seed, const std::string& out) {
    catchInterruptions();
    const std::string temporary = temporaryBeside(out);
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    VideoEncoder encoder;
    std::string error;
    if (!encoder.open(file, videoFormatOf(out), options.width, options.height, options.fps, error))
        abandon(temporary, error);
    OffscreenContext context;
    if (!startWorld(seed, options, options.width, options.height, context, error)) abandon(temporary, error);
    std::vector<unsigned char> pixels;
    for (int frame = 0; frame < options.frames && interruption() == 0; ++frame) {
        if (frame > 0) tick();
        if (!readFrame(options.width, options.height, pixels)) abandon(temporary, "reading a frame back from GL failed");
        if (!encoder.add(pixels)) break;
    }
    if (interruption() != 0 || !encoder.finish(error) || std::fclose(file) != 0) abandon(temporary, "cannot write " + out + ": " + error);
    if (std::rename(temporary.c_str(), out.c_str()) != 0)
        abandon(temporary, "cannot write " + out + ": " + std::strerror(errno));
    std::printf("%s: seed %u, %d frames from tick %d, %dx%d at %d frames a second, written to %s\n", NAME, seed,
                options.frames, options.ticks, options.width, options.height, options.fps, out.c_str());
}

void writeSheet(const SnapshotOptions& options, const std::string& out) {
    catchInterruptions();
    std::string error;
    if (!findStatusFont(error)) fail("the seeds cannot be labelled: " + error);
    SnapshotOptions atNoon = options;
    atNoon.keys.insert(atNoon.keys.begin(), {true, GLUT_KEY_F8});
    const SheetLayout layout(static_cast<int>(options.sheet.size()), options.width, options.height);
    const WorldPicture draw = [&atNoon](unsigned seed, int width, int height, std::vector<unsigned char>& pixels,
                                        std::string& problem) {
        OffscreenContext context;
        if (!startWorld(seed, atNoon, width, height, context, problem)) return false;
        if (readFrame(width, height, pixels)) return true;
        problem = "reading the frame back from GL failed";
        return false;
    };
    std::vector<unsigned char> sheet;
    if (!drawContactSheet(options.sheet, layout, draw, [](int) {}, sheet, error)) abandon("", error);
    const std::string temporary = temporaryBeside(out);
    if (!writePNG(temporary, layout.width, layout.height, 3, sheet.data(), false, error) ||
        std::rename(temporary.c_str(), out.c_str()) != 0)
        abandon(temporary, "cannot write " + out + ": " + error);
    std::printf("%s: %zu worlds at noon after %d ticks, %dx%d, written to %s\n", NAME, options.sheet.size(),
                options.ticks, layout.width, layout.height, out.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    const SnapshotOptions options = parseSnapshotOptions(argc, argv);
    if (!options.error.empty()) {
        std::fprintf(stderr, "%s: %s\nTry '%s --help' for more information.\n", NAME, options.error.c_str(), NAME);
        return 2;
    }
    if (options.help) {
        printSnapshotHelp(stdout);
        return 0;
    }
    if (options.version) {
        printProgramVersion(NAME);
        return 0;
    }

    // The output's path is taken before moving into the picture folder, and checked before the
    // world is grown, so that a wrong path costs no waiting.
    const std::string out = options.out[0] == '/' ? options.out : workingDirectory() + "/" + options.out;
    if (access(folderOf(out).c_str(), W_OK) != 0)
        fail("cannot write into " + folderOf(out) + ": " + std::strerror(errno));
    const std::string pictures = options.pictures.empty() ? defaultPictureFolder() : options.pictures;
    if (chdir(pictures.c_str()) != 0) fail("cannot use the picture folder " + pictures + ": " + std::strerror(errno));

    // As the program: the static objects before the world.
    createStaticObjects();
    if (!options.sheet.empty()) {
        writeSheet(options, out);
        return 0;
    }
    const unsigned seed = options.seeded ? options.seed : static_cast<unsigned>(std::time(nullptr));
    if (options.frames > 0) {
        writeVideo(options, seed, out);
        return 0;
    }
    OffscreenContext context;
    std::string error;
    if (!startWorld(seed, options, options.width, options.height, context, error)) fail(error);
    std::vector<unsigned char> pixels;
    if (!readFrame(options.width, options.height, pixels)) fail("reading the frame back from GL failed");
    if (!writePNG(out, options.width, options.height, 3, pixels.data(), true, error))
        fail("cannot write " + out + ": " + error);
    std::printf("%s: seed %u, %d ticks, %dx%d, written to %s\n", NAME, seed, options.ticks, options.width,
                options.height, out.c_str());
    return 0;
}
