// Start-up of the real program: the console dialogue, the window it opens, its options and the ways it ends.
#include "tests/support/Viewer.h"

#include <gtest/gtest.h>

TEST(Startup, PrintsBannerThenPromptOpensNothingAndEndsWithAMessageWhenTheInputEndsWithoutAMode) {
    const std::string banner = "Vyckejte prosim... generuji objekty...\n\n\n",
                      prompt = "\n\n[hotovo]\n\n0 -  640x480x16 (bez menu)\n1 -  800x600x16 (bez menu)\n"
                               "2 - 1024x768x16 (bez menu)\n3 - v fullscreen okne (doporuceno)\n";
    ViewerProcess viewer;
    ASSERT_TRUE(viewer.waitForOutput("(doporuceno)\n")) << viewer.output() << viewer.errors();
    EXPECT_EQ(commandOutput("xdotool search --name '^Florvane$'"), "") << "nothing opens before a mode is chosen";
    viewer.type("x\n");
    viewer.closeInput();
    EXPECT_EQ(viewer.waitForExit(), 1) << "the program kept waiting after its input ended";
    const std::string out = viewer.output();
    EXPECT_EQ(out.rfind(banner, 0), 0u) << out;
    EXPECT_EQ(out.substr(std::max(out.size(), prompt.size()) - prompt.size()), prompt) << out;
    EXPECT_EQ(viewer.errors(), "End of input before a display mode (0 to 3) was chosen\n");
}

// Stray characters are skipped; a game mode falls back to the window where the screen cannot change.
TEST(Startup, EveryDisplayModeShowsTheWorldFullScreenUntilEscEndsTheProgram) {
    for (const char* input : {"x9\n3\n", "0\n", "1\n", "2\n"}) {
        ViewerProcess viewer;
        viewer.type(input);
        ASSERT_EQ(waitForFullScreenWindow("Florvane"), "full screen") << input << viewer.errors();
        ASSERT_TRUE(pressKeys("Escape"));
        EXPECT_EQ(viewer.waitForExit(), 0) << input << ": Esc did not end the program";
    }
}

// Runs florvane --seed SEED --mode 3 with nothing typed, and returns what it printed.
static std::string consoleOfSeed(const char* seed) {
    ViewerProcess viewer({}, {"--seed", seed, "--mode", "3"});
    viewer.closeInput();
    EXPECT_EQ(waitForFullScreenWindow("Florvane"), "full screen") << "no window without a typed mode: " << viewer.errors();
    pressKeys("Escape");
    EXPECT_EQ(viewer.waitForExit(), 0) << viewer.errors();
    EXPECT_EQ(viewer.output().find("(doporuceno)"), std::string::npos) << "the mode prompt was shown";
    return viewer.output();
}

TEST(Options, TheSameSeedGrowsTheSameWorldAndTheModeNeedsNoConsole) {
    const std::string first = consoleOfSeed("7");
    EXPECT_NE(first.find("generuji slunce a oblohu"), std::string::npos) << first;
    EXPECT_EQ(consoleOfSeed("7"), first);
    EXPECT_NE(consoleOfSeed("8"), first) << "another seed grew the same world";
}
