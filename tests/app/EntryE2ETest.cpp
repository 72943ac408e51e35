// Start-up of the real program: the console dialogue, the window it opens, and the ways it ends.
#include "tests/support/Viewer.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

TEST(Startup, PrintsBannerThenPromptOpensNothingAndEndsWithAMessageWhenTheInputEndsWithoutAMode) {
    const std::string banner = "Vyckejte prosim... generuji objekty...\n\n\n",
                      prompt = "\n\n[hotovo]\n\n0 -  640x480x16 (bez menu)\n1 -  800x600x16 (bez menu)\n"
                               "2 - 1024x768x16 (bez menu)\n3 - v fullscreen okne (doporuceno)\n";
    ViewerProcess viewer;
    ASSERT_TRUE(viewer.waitForOutput("(doporuceno)\n")) << viewer.output() << viewer.errors();
    EXPECT_FALSE(windowExists("Florvane")) << "nothing opens before a mode is chosen";
    viewer.type("x\n");
    viewer.closeInput();
    std::optional<int> status = viewer.waitForExit();
    ASSERT_TRUE(status) << "the program kept waiting after its input ended";
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) != 0) << *status;
    const std::string out = viewer.output();
    EXPECT_EQ(out.rfind(banner, 0), 0u) << out;
    EXPECT_EQ(out.substr(std::max(out.size(), prompt.size()) - prompt.size()), prompt) << out;
    EXPECT_EQ(viewer.errors(), "End of input before a display mode (0 to 3) was chosen\n");
}

// Stray characters are skipped; a game mode falls back to the window where the screen cannot change.
TEST(Startup, EveryDisplayModeShowsTheWorldFullScreenUntilEscEndsTheProgram) {
    for (const char* input : {"x9\n3\n", "0\n", "1\n", "2\n"}) {
        SCOPED_TRACE(input);
        ViewerProcess viewer;
        viewer.type(input);
        ASSERT_EQ(waitForFullScreenWindow("Florvane"), "full screen") << viewer.errors();
        ASSERT_TRUE(pressKeys("Escape"));
        std::optional<int> status = viewer.waitForExit();
        ASSERT_TRUE(status) << "Esc did not end the program";
        EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << *status;
    }
}
