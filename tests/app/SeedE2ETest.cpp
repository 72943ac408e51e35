// The program's own options: a world chosen by its seed, and the display mode given without a console.
#include "tests/support/Viewer.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

namespace {

// Runs florvane --seed SEED --mode 3 with nothing typed, and returns what it printed.
std::string consoleOfSeed(const char* seed) {
    ViewerProcess viewer({}, {"--seed", seed, "--mode", "3"});
    viewer.closeInput();
    EXPECT_EQ(waitForFullScreenWindow("Florvane"), "full screen") << "no window without a typed mode: " << viewer.errors();
    pressKeys("Escape");
    const std::optional<int> status = viewer.waitForExit();
    EXPECT_TRUE(status && WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << viewer.errors();
    EXPECT_EQ(viewer.output().find("(doporuceno)"), std::string::npos) << "the mode prompt was shown";
    return viewer.output();
}

TEST(Options, TheSameSeedGrowsTheSameWorldAndTheModeNeedsNoConsole) {
    const std::string first = consoleOfSeed("7");
    EXPECT_NE(first.find("generuji slunce a oblohu"), std::string::npos) << first;
    EXPECT_EQ(consoleOfSeed("7"), first);
    EXPECT_NE(consoleOfSeed("8"), first) << "another seed grew the same world";
}

}  // namespace
