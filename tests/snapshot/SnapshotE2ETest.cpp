// The snapshot tool: its pictures against the golden ones, and its contract on the command line.
#include "tests/support/Viewer.h"

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
        {"--aspect 16:9", 2, "'16:9'"},
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
    const Screenshot narrow = picture("960x720"), wide = picture("1280x720 --aspect window", "FLORVANE_SNAPSHOT_TILE=512"),
                     stretched = picture("1280x720");
    // Below the logo in the top-right corner and above the hint in the bottom-left one.
    auto middle = [](const Screenshot& shot) { return crop(shot, shot.width / 2 - 480, 72, 960, 630); };
    EXPECT_LE(middle(wide).differingShare(middle(narrow), TOLERANCE), MAX_DIFFERING_SHARE);
    EXPECT_GT(middle(stretched).differingShare(middle(narrow), TOLERANCE), 0.2) << "a stretched picture passed";
    auto hint = [](const Screenshot& shot) { return crop(shot, 0, 702, 120, 18); };
    EXPECT_LE(hint(wide).differingShare(hint(narrow), TOLERANCE), MAX_DIFFERING_SHARE);
    std::remove(out.c_str());
}
