// Start-up of the real program: console dialogue, the window it opens, and the ways it ends.
#include "tests/support/Viewer.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <chrono>
#include <thread>

namespace {

const char BANNER[] = "Vyckejte prosim... generuji objekty...\n\n\n";
const char PROMPT[] =
    "\n\n[hotovo]\n\n"
    "0 -  640x480x16 (bez menu)\n"
    "1 -  800x600x16 (bez menu)\n"
    "2 - 1024x768x16 (bez menu)\n"
    "3 - v fullscreen okne (doporuceno)\n";

void expectFullScreenWindow(ViewerProcess& viewer) {
    std::optional<WindowState> window = waitForWindow("Florvane", 20);
    ASSERT_TRUE(window) << "no viewable window titled Florvane; stderr: " << viewer.errors();
    // The window maps at its first size and goes full screen a moment later.
    for (int attempt = 0; attempt < 100 && !window->coversScreen(); ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        *window = windowState(window->id);
    }
    EXPECT_TRUE(window->coversScreen()) << window->width << "x" << window->height << " at " << window->x << ","
                                        << window->y << " on " << screenWidth() << "x" << screenHeight();
    EXPECT_GE(window->width, screenWidth() - 2 * window->border);
    EXPECT_GE(window->height, screenHeight() - 2 * window->border);
}

void expectEscEndsCleanly(ViewerProcess& viewer) {
    pressKeys("Escape");
    std::optional<int> status = viewer.waitForExit(10);
    ASSERT_TRUE(status) << "Esc did not end the program";
    EXPECT_TRUE(WIFEXITED(*status));
    EXPECT_EQ(WEXITSTATUS(*status), 0);
}

TEST(Startup, BannerFirstThenWorldThenThePrompt) {
    ViewerProcess viewer;
    ASSERT_TRUE(viewer.waitForOutput("(doporuceno)\n", 60)) << viewer.output() << viewer.errors();
    const std::string& out = viewer.output();
    EXPECT_EQ(out.rfind(BANNER, 0), 0u) << out;
    ASSERT_GE(out.size(), sizeof PROMPT - 1);
    EXPECT_EQ(out.substr(out.size() - (sizeof PROMPT - 1)), PROMPT) << out;
    // Nothing opens until a mode is chosen.
    EXPECT_TRUE(findWindows("Florvane").empty());
}

TEST(Startup, SkipsStrayCharactersAndOpensTheFullScreenWindow) {
    ViewerProcess viewer;
    viewer.type("x9\n3\n");
    expectFullScreenWindow(viewer);
    expectEscEndsCleanly(viewer);
}

TEST(Startup, GameModesFallBackToTheWindowWhereTheScreenCannotChange) {
    for (const char* mode : {"0\n", "1\n", "2\n"}) {
        SCOPED_TRACE(mode);
        ViewerProcess viewer;
        viewer.type(mode);
        expectFullScreenWindow(viewer);
        expectEscEndsCleanly(viewer);
    }
}

TEST(Startup, EndOfInputEndsWithAMessageAndNoWindow) {
    ViewerProcess viewer;
    viewer.type("x\n");
    viewer.closeInput();
    std::optional<int> status = viewer.waitForExit(60);
    ASSERT_TRUE(status) << "the program kept waiting after its input ended";
    EXPECT_TRUE(WIFEXITED(*status));
    EXPECT_NE(WEXITSTATUS(*status), 0);
    EXPECT_EQ(viewer.errors(), "End of input before a display mode (0 to 3) was chosen\n");
    EXPECT_TRUE(findWindows("Florvane").empty());
}

}  // namespace
