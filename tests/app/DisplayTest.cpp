// Today's displays: the steady pace on a controlled clock, and finding a swap-control extension.
#include "app/Pace.h"
#include "app/VerticalSync.h"

#include <gtest/gtest.h>

// Ticks per second of a viewer whose frames come at a steady rate for ten seconds.
static double ticksPerSecond(double pace, double framesPerSecond) {
    Pace clock(pace);
    long ticks = 0;
    for (int frame = 0; frame <= 10 * framesPerSecond; ++frame) ticks += clock.ticksDue(1e5 + frame / framesPerSecond);
    return ticks / 10.0;
}

TEST(Pace, RunsItsTicksPerSecondWhateverTheFrameRateAndAtMostFourAFrame) {
    // Frames per second, then the ticks per second they give at a pace of 60.
    const std::pair<double, double> rates[] = {{20, 60}, {200, 60}, {59.94, 60}, {144, 60}, {1000, 60}, {10, 40}};
    for (const auto& [frames, ticks] : rates) EXPECT_NEAR(ticksPerSecond(60, frames), ticks, ticks / 10) << frames;
    // A stall of a minute costs the minute: a few ticks, then the pace again.
    Pace pace(60);
    int ticks = 0;
    for (int frame = 0; frame <= 50; ++frame) ticks += pace.ticksDue(frame / 50.0);
    EXPECT_EQ(ticks, 60);
    EXPECT_EQ(pace.ticksDue(61), Pace::MAX_TICKS_PER_FRAME);
    EXPECT_EQ(pace.ticksDue(61.02), 1);
}

TEST(VerticalSync, FindsAnExtensionOnlyByItsWholeName) {
    const char* const list = "GLX_ARB_multisample GLX_EXT_swap_control_tear GLX_MESA_swap_control";
    EXPECT_TRUE(namesExtension(list, "GLX_MESA_swap_control"));
    EXPECT_TRUE(namesExtension(list, "GLX_ARB_multisample"));
    EXPECT_FALSE(namesExtension(list, "GLX_EXT_swap_control"));
    EXPECT_FALSE(namesExtension(list, "MESA_swap_control"));
    EXPECT_FALSE(namesExtension("", "GLX_EXT_swap_control"));
}
