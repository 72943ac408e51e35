// What a video costs, taken apart: drawing a noon fly-through's frames and reading them back, then
// encoding the same frames in each format. Prints one line per part; measures and asserts nothing else.
//
//   video_benchmark SEED WIDTHxHEIGHT FRAMES
#include "app/Entry.h"
#include "app/Input.h"
#include "app/Tick.h"
#include "snapshot/VideoEncoder.h"
#include "snapshot/WorldFrames.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {

// Encoding repeats the frames drawn; as many as a second of video keeps the motion realistic.
constexpr int KEPT_FRAMES = 30;

struct Stopwatch {
    std::chrono::steady_clock::time_point wall = std::chrono::steady_clock::now();
    std::clock_t cpu = std::clock();

    void print(const char* part, int frames) const {
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall).count();
        const double cpuSeconds = static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC;
        std::printf("video %s frames %d wall_s %.2f cpu_s %.2f fps %.2f\n", part, frames, seconds, cpuSeconds,
                    frames / seconds);
    }
};

}  // namespace

int main(int argc, char** argv) {
    SnapshotOptions options;
    int frames = 0;
    if (argc != 4 || std::sscanf(argv[2], "%dx%d", &options.width, &options.height) != 2 ||
        (frames = std::atoi(argv[3])) <= 0) {
        std::fprintf(stderr, "usage: %s SEED WIDTHxHEIGHT FRAMES\n", *argv);
        return 2;
    }
    // Noon, whose light frames take more to encode than the night's.
    options.keys = {*findKey("F8")};
    OffscreenContext context;
    TileLayout tiles{options.width, options.height};
    std::string error;
    createStaticObjects();
    const unsigned seed = static_cast<unsigned>(std::atoi(argv[1]));
    if (!context.open(error) || !startWorld(seed, options, context, tiles, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    std::vector<std::vector<unsigned char>> kept(KEPT_FRAMES);
    std::vector<unsigned char> pixels(static_cast<size_t>(options.width) * options.height * 3);
    const Stopwatch drawing;
    for (int frame = 0; frame < frames; ++frame) {
        if (frame > 0) tick();
        drawFrameInTiles(tiles, pixels.data(), [](int) {});
        if (frame < KEPT_FRAMES) kept[frame] = pixels;
    }
    drawing.print("draw", frames);
    kept.resize(std::min(frames, KEPT_FRAMES));

    for (const auto& [name, format] :
         {std::pair("encode_mp4", VideoFormat::MP4), std::pair("encode_webm", VideoFormat::WEBM)}) {
        std::FILE* file = std::tmpfile();
        VideoEncoder encoder;
        const Stopwatch encoding;
        bool encoded = encoder.open(file, format, options.width, options.height, 30, error);
        for (int frame = 0; encoded && frame < frames; ++frame) {
            pixels = kept[frame % kept.size()];
            encoded = encoder.add(pixels);
        }
        encoded = encoder.finish(error) && encoded;
        encoding.print(name, frames);
        std::printf("video %s bytes %ld%s\n", name, std::ftell(file), encoded ? "" : (" failed: " + error).c_str());
        std::fclose(file);
    }
    return 0;
}
