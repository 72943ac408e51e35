// The snapshot tool: its pictures against the golden ones, and its contract on the command line.
#include "tests/support/Viewer.h"

#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

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

TEST(SnapshotTool, RefusesBadArgumentsWithAMessageAndNoPicture) {
    const std::string out = testing::TempDir() + "florvane_refused.png";
    std::remove(out.c_str());
    const std::pair<const char*, const char*> refused[] = {
        {"--ticks -1", "'-1'"}, {"--size 0x100", "'0x100'"}, {"--keys F9", "'F9'"},     {"--keys Esc", "Esc"}, {"--keys Space", "'Space'"},
        {"--seed x", "'x'"},    {"--colour red", "'--colour'"}, {"extra", "'extra'"}};
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
