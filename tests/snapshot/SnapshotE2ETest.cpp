// The snapshot tool: its pictures against the golden ones, and its contract on the command line.
#include "tests/support/Video.h"

#include <gtest/gtest.h>
#include <png.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

// llvmpipe may round a few edges differently on another processor; a real change moves many pixels.
constexpr int TOLERANCE = 24;
constexpr double MAX_DIFFERING_SHARE = 0.01;

struct Outcome { int status; std::string errors, printed; };

static std::string contents(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// A name in the temporary folder that no other test run uses.
static std::string temporary(const std::string& name) {
    return testing::TempDir() + "florvane_" + std::to_string(getpid()) + "_" + name;
}

// The tool's exit status, what it wrote on standard error and what on standard output; the shell
// text before it sets limits or the environment.
static Outcome snapshot(const std::string& arguments, const std::string& before = "") {
    const std::string printed = temporary("printed");
    const std::string errors =
        commandOutput(before + " " FLORVANE_SNAPSHOT " " + arguments + " 2>&1 >" + printed + "; echo $?");
    const size_t status = errors.rfind('\n', errors.size() - 2) + 1;
    return {std::stoi(errors.substr(status)), errors.substr(0, status), contents(printed)};
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

// The part of the picture of that size from its column x and row y.
static Screenshot crop(const Screenshot& picture, int x, int y, int width, int height) {
    Screenshot part{width, height, {}};
    for (int row = y; row < y + height; ++row)
        part.rgb.insert(part.rgb.end(), picture.at(x, row), picture.at(x, row) + width * 3);
    return part;
}

struct Golden { const char* name; const char* arguments; };

static const Golden GOLDEN[] = {{"night", "--seed 11 --ticks 80"},
                         {"noon", "--seed 11 --keys F8 --ticks 80"},
                         {"wind", "--seed 12 --keys f8,v,+,+ --ticks 40"},
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

// Each is refused at once: nothing on standard output means the world was never grown.
TEST(SnapshotTool, RefusesBadArgumentsAndOutputsBeforeGrowingTheWorld) {
    const std::string out = temporary("refused.png"), regular = temporary("regular");
    const std::string folder = testing::TempDir().substr(0, testing::TempDir().size() - 1);
    std::ofstream(regular) << "a file, not a folder";
    struct Refusal { std::string arguments; int status; const char* named; };
    const Refusal refused[] = {
        {"--ticks -1", 2, "'-1'"},          {"--size 0x100", 2, "'0x100'"},        {"--keys F9", 2, "'F9'"},
        {"--keys Space", 2, "'Space'"},     {"--keys Esc", 2, "Esc"},               {"--seed x", 2, "'x'"},
        {"--colour red", 2, "'--colour'"},  {"extra", 2, "'extra'"},            {"--size 100000x10", 2, "at most "},
        {"--frames 2", 2, ".webm"},         {"--fps 60", 2, "--frames"},            {"--sheet 4-2", 2, "'4-2'"},
        {"--sheet 1-65", 2, "at most 64"},    {"--aspect 16:9", 2, "'16:9'"},
        {"--out /nonexistent/world.png", 1, "cannot write into /nonexistent: No such file or directory"},
        {"--out " + folder, 1, "is a folder"},
        {"--out " + regular + "/world.png", 1, "Not a directory"},
        // Not even root can make a file there.
        {"--out /proc/world.png", 1, "cannot write into /proc"}};
    for (const Refusal& refusal : refused) {
        const std::string arguments = refusal.arguments + (refusal.status == 2 ? " --out " + out : "");
        const Outcome run = snapshot(arguments);
        EXPECT_EQ(run.status, refusal.status) << arguments;
        EXPECT_EQ(run.errors.rfind("florvane-snapshot: ", 0), 0u) << run.errors;
        EXPECT_NE(run.errors.find(refusal.named), std::string::npos) << run.errors;
        EXPECT_EQ(run.printed, "") << arguments << ": the world was grown first";
    }
    EXPECT_NE(access(out.c_str(), F_OK), 0) << "a refused run wrote " << out;
    std::remove(regular.c_str());
}

// A write that fails half-way, here at a file-size limit, as at a full disk.
TEST(SnapshotTool, AFailedWriteKeepsTheOldPictureAndLeavesNothingElse) {
    const std::string folder = temporary("output");
    const std::string picture = folder + "/picture.png";
    ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
    std::ofstream(picture) << "the old picture";
    chmod(picture.c_str(), 0640);
    const Outcome failed = snapshot("--size 320x240 --out " + picture, "ulimit -f 64;");
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.errors, "florvane-snapshot: cannot write " + picture + ": File too large\n");
    EXPECT_EQ(contents(picture), "the old picture");
    EXPECT_EQ(commandOutput("ls -A " + folder), "picture.png\n");

    ASSERT_EQ(snapshot("--size 320x240 --out " + picture).status, 0);
    EXPECT_EQ(readPNG(picture).width, 320);
    EXPECT_EQ(commandOutput("ls -A " + folder), "picture.png\n");
    struct stat status;
    ASSERT_EQ(stat(picture.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u) << "the new picture lost the old one's permissions";
    commandOutput("rm -r " + folder);
}

// FLORVANE_SNAPSHOT_TILE makes tiles small enough to compare with the picture drawn whole. The
// rasteriser rounds colours and thin lines' ends a little differently where the viewport lies
// elsewhere on the surface: a few pixels differ by a level or two, never a tile's place, the
// overlay's timing or a glyph cut at a tile's edge.
TEST(SnapshotTool, TilesMakeTheWholePictureAndATerminalSeesTheirProgress) {
    const std::string whole = temporary("whole.png"), tiled = temporary("tiled.png");
    const std::string arguments = "--seed 12 --keys F8,V,+,+ --ticks 40 --size 320x240 --out ";
    const Outcome quiet = snapshot(arguments + whole);
    ASSERT_EQ(quiet.status, 0);
    EXPECT_EQ(quiet.errors, "") << "progress shown where no terminal sees it";
    // script gives the tool a terminal, where the bars for 40 ticks and 5 x 4 tiles of 64 show.
    const std::string terminal = commandOutput("FLORVANE_SNAPSHOT_TILE=64 script -qec '" FLORVANE_SNAPSHOT " " +
                                               arguments + tiled + " >/dev/null' /dev/null");
    EXPECT_NE(terminal.find("] 40/40\r\n"), std::string::npos) << terminal;
    EXPECT_NE(terminal.find("tiles [########################################] 20/20"), std::string::npos)
        << terminal;
    EXPECT_LE(readPNG(tiled).differingShare(readPNG(whole), 2), 0.001);
    std::remove(whole.c_str());
    std::remove(tiled.c_str());
}

// The preloaded library puts a record of another shape under the name of GLUT's font, as a GLUT
// built differently would; the tool's check refuses it and so finds no glyphs.
TEST(SnapshotTool, MissingStatusGlyphsFailOnlyAPictureThatShowsTheStatusLine) {
    const std::string out = temporary("glyphs.png"), preload = "LD_PRELOAD=" FLORVANE_NOT_THE_FONT;
    const Outcome shown = snapshot("--keys V --ticks 10 --size 64x48 --out " + out, preload);
    EXPECT_EQ(shown.status, 1);
    EXPECT_NE(shown.errors.find("status line \"WIND - ON\""), std::string::npos) << shown.errors;
    EXPECT_NE(access(out.c_str(), F_OK), 0) << "a picture without its status line was written";
    EXPECT_EQ(snapshot("--keys V --ticks 100 --size 64x48 --out " + out, preload).status, 0)
        << "the status line is gone after 100 frames, so no glyphs are needed";
    std::remove(out.c_str());
}

// H.264 and VP9 at the tool's quality lose detail, and both keep colour at half the resolution, so a
// frame's pixel can stray far from the picture's on this landscape's fine, noisy textures: about 1 %
// of the pixels differ by more than 48, while a frame one tick away differs in about 10 % of them.
constexpr int CODEC_TOLERANCE = 48;
constexpr double CODEC_DIFFERING_SHARE = 0.03;

struct VideoCase { const char* extension; const char* codec; const char* environment; };

void PrintTo(const VideoCase& video, std::ostream* stream) { *stream << video.extension; }

class Video : public testing::TestWithParam<VideoCase> {};

TEST_P(Video, DecodesToItsFramesEachThePictureOfItsTick) {
    const std::string base = temporary("video");
    const std::string world = "--seed 12 --keys F8,V,+ --size 320x240 --ticks ";
    // On a terminal, which script gives it, the tool shows how many frames are done.
    const std::string terminal = commandOutput(std::string(GetParam().environment) + " script -qec '" FLORVANE_SNAPSHOT
                                               " " + world + "90 --frames 20 --out " + base + GetParam().extension +
                                               " >/dev/null' /dev/null");
    EXPECT_NE(terminal.find("frames [########################################] 20/20"), std::string::npos)
        << terminal;
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

// The H.264 video's frames are drawn in tiles of 128 pixels, the VP9 one's whole.
INSTANTIATE_TEST_SUITE_P(Snapshot, Video, testing::Values(VideoCase{".mp4", "h264", "FLORVANE_SNAPSHOT_TILE=128"},
                                                         VideoCase{".webm", "vp9", ""}),
                         [](const testing::TestParamInfo<VideoCase>& info) { return std::string(info.param.codec); });

TEST(SnapshotTool, LeavesNoFileWhenAVideoIsInterruptedOrCannotBeWritten) {
    const std::string folder = temporary("unfinished");
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
        const std::string run = "rm -rf " + folder + "; mkdir " + folder + "; " + command + "; echo $?; ls -A ";
        EXPECT_EQ(commandOutput(run + folder), std::to_string(status) + "\n") << how;
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
    const std::string sheet = temporary("sheet.png");
    const std::string single = temporary("single.png");
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

// The same vertical field of view puts every point of the world at the same distance from the centre
// in pixels, so a wide picture of its own aspect is the 4:3 one with more of the world to its sides;
// the title card keeps its shape in the middle, the hint its shape in the corner. Drawn in tiles, the
// wide picture takes its aspect from the whole picture, not from a tile.
TEST(SnapshotTool, AWidePictureOfItsOwnAspectHoldsTheFourThirdsOneInItsMiddle) {
    const std::string out = temporary("aspect.png");
    auto picture = [&](const std::string& shape, const std::string& before = "") {
        EXPECT_EQ(snapshot("--seed 11 --keys F8 --ticks 20 --out " + out + " --size " + shape, before).status, 0);
        return readPNG(out);
    };
    const Screenshot narrow = picture("960x720"), stretched = picture("1280x720"),
                     wide = picture("1280x720 --aspect window", "FLORVANE_SNAPSHOT_TILE=512");
    // Below the logo in the top-right corner and above the hint in the bottom-left one.
    auto middle = [](const Screenshot& shot) { return crop(shot, shot.width / 2 - 480, 72, 960, 630); };
    EXPECT_LE(middle(wide).differingShare(middle(narrow), TOLERANCE), MAX_DIFFERING_SHARE);
    EXPECT_GT(middle(stretched).differingShare(middle(narrow), TOLERANCE), 0.2) << "a stretched picture passed";
    auto hint = [](const Screenshot& shot) { return crop(shot, 0, 702, 120, 18); };
    EXPECT_LE(hint(wide).differingShare(hint(narrow), TOLERANCE), MAX_DIFFERING_SHARE);
    std::remove(out.c_str());
}
