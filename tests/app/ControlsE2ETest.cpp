// The user at the controls of the real program: function keys, free look with keys and mouse, rain,
// the butterfly camera and the pop-up menu, seen on screen.
#include "tests/support/Viewer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

static double changed(const Screenshot& a, const Screenshot& b) { return a.differingShare(b, 40); }

// Bright dots, much brighter than the picture three pixels away on every side, over the top three
// quarters: falling drops against the smooth sky.
static int brightDots(const Screenshot& shot) {
    auto green = [&](int x, int y) { return shot.at(x, y)[1]; };
    int count = 0;
    for (int y = 3; y < shot.height * 3 / 4; ++y)
        for (int x = 3; x < shot.width - 3; ++x)
            count += green(x, y) > std::max({green(x - 3, y), green(x + 3, y), green(x, y - 3), green(x, y + 3)}) + 50;
    return count;
}

TEST(Controls, EveryKindOfInputDoesWhatItSaysOnTheRealProgram) {
    ViewerProcess viewer({}, {"--seed", "9", "--mode", "3"});
    ASSERT_EQ(waitForFullScreenWindow("Florvane"), "full screen") << viewer.errors();
    // Beside the title card: noon is bright, midnight dark.
    const double noon = after("key F8").meanBrightness(0, 0, 0.12, 0.9);
    const double midnight = after("key F7").meanBrightness(0, 0, 0.12, 0.9);
    EXPECT_GT(noon, 3 * midnight + 30) << "noon " << noon << ", midnight " << midnight;
    after("key F8");

    // Rain, seen from the centre of the landscape looking up into it: its status line in green, and
    // its drops against the smooth sky.
    const int dryDots = brightDots(after("key 1", 5));
    const Screenshot raining = after("key p");
    EXPECT_GT(statusPixels(raining), 100) << "no green status line";
    EXPECT_GT(brightDots(raining), dryDots + 200) << "no rain";

    // Free look, from the centre where the last camera left the eye, stands still until told: the
    // pointer pitches the view down (warped back at the edge in between), W walks, and a sideways
    // pointer turns it. Each clearly more than the still view changes by itself, with no rain and no
    // butterflies. Noon again once the status line is gone: a fast machine reaches the night by then,
    // where a turned view hardly shows.
    after("key p 2", 100);
    const Screenshot still = after("key F8"), stillLater = after("");
    const double itself = changed(still, stillLater);
    EXPECT_LT(itself, 0.02);
    // At the edge the program warps the pointer back to (100, 100), which must be seen before the
    // next move: a move made first would be undone by the warp. Reading the pointer syncs xdotool's
    // moves, which never pass there, so only the warp puts the pointer there.
    ASSERT_EQ(std::system("xdotool mousemove 100 190 mousemove 100 199 getmouselocation >/dev/null"), 0);
    ASSERT_TRUE(waitForPointerAt(100, 100)) << "the pointer was not warped back from the edge";
    const Screenshot lowered = after("mousemove 100 190");
    EXPECT_GT(changed(stillLater, lowered), 3 * itself + 0.05) << "the mouse did not turn the view";
    const Screenshot walked = after("key w w w w w");
    EXPECT_GT(changed(lowered, walked), 3 * itself + 0.005) << "W did not walk";
    EXPECT_GT(changed(walked, after("mousemove 140 190")), 3 * itself + 0.01) << "the view did not turn sideways";

    // The butterfly camera moves the view by itself: over two seconds of its flight, since the
    // butterfly it picks may fly with mostly sky behind it.
    const Screenshot following = after("key F8 m 3");
    const double flown = changed(following, after("", 60));
    EXPECT_GT(flown, 3 * itself + 0.01) << "the butterfly camera stood still";

    // The menu, held open on the right button: its last entry ends the program. Each move waits for
    // what it opens or closes: the menu, the submenu of the first entry, the menu alone again.
    for (const auto& [input, menus] : {std::pair{"mousemove 100 100 mousedown 3", 1}, {"mousemove 110 120", 2},
                                       {"mousemove 120 187", 1}}) {
        ASSERT_EQ(std::system(("xdotool " + std::string(input)).c_str()), 0);
        ASSERT_TRUE(waitForShownWindows("freeglut menu", menus)) << input;
    }
    ASSERT_EQ(std::system("xdotool mouseup 3"), 0);
    EXPECT_EQ(viewer.waitForExit(), 0) << "\"Konec\" did not end the program";
}

// A missing overlay picture ends the program before it prints anything; a missing butterfly picture
// ends it while the butterflies are grown.
TEST(Startup, AMissingPictureEndsTheProgramWithTheLoadersMessage) {
    const std::string folder = testing::TempDir() + "florvane_pictures_" + std::to_string(getpid());
    for (const char* missing : {"title.ppm", "f1title.ppm", "help.ppm", "logo.ppm", "bf*.ppm"}) {
        const std::string copy = "rm -rf " + folder + " && mkdir " + folder + " && cp " FLORVANE_DATA_DIR "/*.ppm ";
        ASSERT_EQ(std::system((copy + folder + " && rm " + folder + "/" + missing).c_str()), 0);
        ViewerProcess viewer({}, {"--seed", "1"}, folder);
        EXPECT_EQ(viewer.waitForExit(), 1) << missing;
        const std::string name = missing[0] == 'b' ? "bf" : missing;
        EXPECT_EQ(viewer.errors().rfind("Unable to open file `" + name, 0), 0u) << viewer.errors();
        const std::string out = viewer.output(), lastLine = out.substr(out.rfind('\n') + 1);
        EXPECT_EQ(missing[0] == 'b' ? lastLine : out, missing[0] == 'b' ? "[ 99%] generuji motyli " : "") << out;
    }
    std::system(("rm -rf " + folder).c_str());
}
