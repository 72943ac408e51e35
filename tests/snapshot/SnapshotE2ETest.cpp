// The snapshot tool: its pictures against the golden ones, and its contract on the command line.
#include "tests/support/Video.h"

#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <cmath>

// llvmpipe may round a few edges differently on another processor; a real change moves many pixels.
constexpr int TOLERANCE = 24;
constexpr double MAX_DIFFERING_SHARE = 0.01;

struct Outcome { int status; std::string errors; };

// The tool's exit status and what it wrote on standard error.
static Outcome snapshot(const std::string& arguments) {
    const std::string errors = commandOutput(FLORVANE_SNAPSHOT " " + arguments + " 2>&1 >/dev/null; echo $?");
    const size_t status = errors.rfind('\n', errors.size() - 2) + 1;
    return {std::stoi(errors.substr(status)), errors.substr(0, status)};
}

// The picture, or an empty one when the file is no readable PNG.
static Screenshot readPNG(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
    image.format = PNG_FORMAT_RGB;
    Screenshot picture{static_cast<int>(image.width), static_cast<int>(image.height),
                       std::vector<unsigned char>(PNG_IMAGE_SIZE(image))};
    return png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr) ? picture : Screenshot();
}

struct Golden { const char* name; const char* arguments; };

static const Golden GOLDEN[] = {{"night", "--seed 11 --ticks 80"},
                         {"noon", "--seed 11 --keys F8 --ticks 80"},
                         {"wind", "--seed 12 --keys F8,V,+,+ --ticks 40"},
                         {"rain", "--seed 13 --keys F8,P --ticks 40"},
                         {"butterfly", "--seed 14 --keys F8,3 --ticks 80"}};

void PrintTo(const Golden& golden, std::ostream* stream) { *stream << golden.arguments; }

class GoldenPicture : public testing::TestWithParam<Golden> {};

// With FLORVANE_REFRESH_GOLDEN set, the tool's pictures replace the golden ones instead.
TEST_P(GoldenPicture, MatchesTheReferenceWithinTolerance) {
    const Golden& golden = GetParam();
    const std::string reference = FLORVANE_GOLDEN_DIR "/" + std::string(golden.name) + ".png";
    const std::string fresh = testing::TempDir() + "florvane_" + golden.name + ".png";
    const std::string arguments = std::string(golden.arguments) + " --size 320x240 --out ";
    if (std::getenv("FLORVANE_REFRESH_GOLDEN") != nullptr) {
        ASSERT_EQ(snapshot(arguments + reference).status, 0);
        GTEST_SKIP() << "refreshed " << reference;
    }
    ASSERT_EQ(snapshot(arguments + fresh).status, 0);
    Screenshot diff;
    const double share = readPNG(fresh).differingShare(readPNG(reference), TOLERANCE, &diff);
    // The message, and so the difference image, is made only when the comparison fails.
    const std::string diffPath = testing::TempDir() + "florvane_" + golden.name + "_diff.ppm";
    EXPECT_LE(share, MAX_DIFFERING_SHARE) << "pixels differ from " << reference << ": see " << fresh << " and "
                                          << (diff.writePPM(diffPath) ? diffPath : "no difference image");
}

INSTANTIATE_TEST_SUITE_P(Snapshot, GoldenPicture, testing::ValuesIn(GOLDEN),
                         [](const testing::TestParamInfo<Golden>& info) { return std::string(info.param.name); });

TEST(SnapshotTool, RefusesBadArgumentsWithAMessageAndNoPicture) {
    const std::string out = testing::TempDir() + "florvane_refused.png";
    std::remove(out.c_str());
    const std::pair<const char*, const char*> refused[] = {
        {"--ticks -1", "'-1'"}, {"--size 0x100", "'0x100'"}, {"--keys F9", "'F9'"},     {"--keys Esc", "Esc"},
        {"--seed x", "'x'"},    {"--colour red", "'--colour'"}, {"extra", "'extra'"},
        {"--frames 2", ".webm"}, {"--sheet 4-2", "'4-2'"}, {"--sheet 1-65", "at most 64"}};
    for (const auto& [arguments, named] : refused) {
        const Outcome run = snapshot(arguments + (" --out " + out));
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_EQ(run.errors.rfind("florvane-snapshot: ", 0), 0u) << run.errors;
        EXPECT_NE(run.errors.find(named), std::string::npos) << run.errors;
    }
    const Outcome unwritable = snapshot("--out /nonexistent/world.png");
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_EQ(unwritable.errors, "florvane-snapshot: cannot write into /nonexistent: No such file or directory\n");
    EXPECT_NE(access(out.c_str(), F_OK), 0) << "a refused run wrote " << out;
}

// H.264 and VP9 at the tool's quality lose detail, and both keep colour at half the resolution, so a
// frame's pixel can stray far from the picture's on this landscape's fine, noisy textures: about 1 %
// of the pixels differ by more than 48, while a frame one tick away differs in about 10 % of them.
constexpr int CODEC_TOLERANCE = 48;
constexpr double CODEC_DIFFERING_SHARE = 0.03;

struct VideoCase { const char* extension; const char* codec; };

void PrintTo(const VideoCase& video, std::ostream* stream) { *stream << video.extension; }

class Video : public testing::TestWithParam<VideoCase> {};

TEST_P(Video, DecodesToItsFramesEachThePictureOfItsTick) {
    const std::string base = testing::TempDir() + "florvane_video";
    const std::string world = "--seed 12 --keys F8,V,+ --size 320x240 --ticks ";
    ASSERT_EQ(snapshot(world + "90 --frames 20 --out " + base + GetParam().extension).status, 0);
    const DecodedVideo video = decodeVideo(base + GetParam().extension);
    ASSERT_EQ(video.error, "");
    EXPECT_EQ(video.codec, GetParam().codec);
    EXPECT_EQ(video.fps, 30);
    ASSERT_EQ(video.frames.size(), 20u);
    for (const Screenshot& frame : video.frames) EXPECT_EQ(frame.width * 1000 + frame.height, 320240);
    for (const auto& [frame, tick] : {std::pair(0, 90), std::pair(19, 109)}) {
        ASSERT_EQ(snapshot(world + std::to_string(tick) + " --out " + base + ".png").status, 0);
        EXPECT_LE(video.frames[frame].differingShare(readPNG(base + ".png"), CODEC_TOLERANCE), CODEC_DIFFERING_SHARE)
            << "frame " << frame << " against the picture of tick " << tick;
    }
}

INSTANTIATE_TEST_SUITE_P(Snapshot, Video, testing::Values(VideoCase{".mp4", "h264"}, VideoCase{".webm", "vp9"}),
                         [](const testing::TestParamInfo<VideoCase>& info) { return std::string(info.param.codec); });

TEST(SnapshotTool, LeavesNoFileWhenAVideoIsInterruptedOrCannotBeWritten) {
    const std::string folder = testing::TempDir() + "florvane_unfinished";
    const std::string video = FLORVANE_SNAPSHOT " --seed 3 --size 320x240 --frames 100000 --out " + folder +
                              "/v.mp4 >/dev/null 2>" + folder + ".err";
    // Signals arrive once the encoder has written some 100 kB of frames; the file-size limit stops it there.
    const std::string running = video + " & while kill -0 $! && [ -z \"$(find " + folder +
                                " -type f -size +100k)\" ]; do sleep 0.1; done; kill -";
    const std::tuple<const char*, std::string, int, const char*> cases[] = {
        {"Ctrl-C", running + "INT $!; wait $!", 130, "interrupted; nothing written"},
        {"SIGTERM", running + "TERM $!; wait $!", 143, "interrupted; nothing written"},
        {"file size", "(ulimit -f 200; exec " + video + ")", 1, "File too large"}};
    for (const auto& [how, command, status, message] : cases) {
        // The status, then every file left in the folder: none.
        EXPECT_EQ(commandOutput("rm -rf " + folder + "; mkdir " + folder + "; " + command + "; echo $?; ls -A " + folder),
                  std::to_string(status) + "\n") << how;
        EXPECT_NE(commandOutput("cat " + folder + ".err").find(message), std::string::npos) << how;
    }
}

// The w x h pixels of the picture from (left, top), each the rounded mean of a 2 x 2 square when halved.
static Screenshot region(const Screenshot& picture, int left, int top, int w, int h, bool halved = false) {
    const int step = halved ? 2 : 1;
    Screenshot part{w, h, {}};
    for (int y = top; y < top + h * step; y += step)
        for (int x = left; x < left + w * step; x += step)
            for (int c = 0; c < 3; ++c)
                part.rgb.push_back(static_cast<unsigned char>(
                    halved ? (picture.at(x, y)[c] + picture.at(x + 1, y)[c] + picture.at(x, y + 1)[c] +
                              picture.at(x + 1, y + 1)[c] + 2) / 4
                           : picture.at(x, y)[c]));
    return part;
}

TEST(SnapshotTool, ContactSheetShowsEachWorldAtNoonHalvedAboveItsSeed) {
    const std::string sheet = testing::TempDir() + "florvane_sheet.png";
    const std::string single = testing::TempDir() + "florvane_single.png";
    ASSERT_EQ(snapshot("--sheet 5,1234567 --size 160x120 --out " + sheet).status, 0);
    const Screenshot page = readPNG(sheet);
    // Two pictures side by side, 8 pixels apart and from the edges, each with a 32-pixel strip for its label.
    ASSERT_EQ(page.width * 1000 + page.height, 344168);
    std::vector<int> inkedColumns;
    for (const auto& [seed, left] : {std::pair("5", 8), std::pair("1234567", 176)}) {
        ASSERT_EQ(snapshot("--seed " + std::string(seed) + " --keys F8 --size 320x240 --out " + single).status, 0);
        EXPECT_EQ(region(page, left, 8, 160, 120).differingShare(region(readPNG(single), 0, 0, 160, 120, true), 1), 0)
            << "seed " << seed;
        const Screenshot label = region(page, left, 128, 160, 32);
        int columns = 0;
        for (int x = 0; x < label.width; ++x)
            for (int y = 0; y < label.height; ++y)
                if (label.at(x, y)[0] > 200) {
                    ++columns;
                    break;
                }
        inkedColumns.push_back(columns);
    }
    // "seed 5" against "seed 1234567": six more digits, each over ten pixels wide.
    EXPECT_GT(inkedColumns[0], 40);
    EXPECT_GT(inkedColumns[1], inkedColumns[0] + 50);
}
