// The overlay against a real GL: its countdowns in frames, where its pictures lie, how they blend,
// and the status line.
#include "app/Overlay.h"
#include "tests/support/GLContext.h"

#include <algorithm>
#include <cmath>

class OverlayGL : public GLTest {
protected:
    // One frame of the overlay over a grey background; returns what lies inside the centre picture.
    std::vector<float> frameOver(float grey) {
        glClearColor(grey, grey, grey, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        overlay.draw();
        const int left = TEST_WINDOW_SIZE / 8 + 1, bottom = TEST_WINDOW_SIZE / 4 + 1;
        const int width = TEST_WINDOW_SIZE - 2 * left, height = TEST_WINDOW_SIZE - 2 * bottom;
        std::vector<float> pixels(width * height * 3);
        glReadPixels(left, bottom, width, height, GL_RGB, GL_FLOAT, pixels.data());
        return pixels;
    }
    // Whether the centre picture of a frame with these counts is added onto the scene, not laid over
    // it: laid over, it looks the same over any background.
    bool blended(int title, int help) {
        overlay.titleFrames = title, overlay.helpFrames = help;
        const std::vector<float> overBlack = frameOver(0);
        overlay.titleFrames = title, overlay.helpFrames = help;
        const std::vector<float> overGrey = frameOver(0.5f);
        float largest = 0;
        for (size_t i = 0; i < overBlack.size(); ++i) largest = std::max(largest, std::abs(overGrey[i] - overBlack[i]));
        return largest > 0.1f;
    }
    // What the centre picture of the next frame sends: its quad's corners.
    std::vector<FeedbackVertex> nextFrame() { return recordFeedback([&] { overlay.draw(); }); }

    Overlay overlay;
};

TEST_F(OverlayGL, CountsItsDisplaysInFrames) {
    // Per row: a command before the frame ('h' help, 's' status, '-' none), how many frames, then
    // the title, help and status counts after them.
    const struct { char command; int frames, title, help, status; } steps[] = {
        {'-', 1, 74, 0, 0},  {'-', 73, 1, 0, 0},   {'-', 1, 0, 0, 0},    {'h', 1, 0, 24, 0}, {'s', 1, 0, 0, 99},
        {'-', 98, 0, 0, 1},  {'-', 2, 0, 0, 0},    {'h', 24, 0, 1, 0},   {'-', 1, 0, 0, 0},  {'s', 1, 0, 0, 99},
        {'s', 1, 0, 0, 99},  {'h', 0, 0, 25, 0},
    };
    for (const auto& step : steps) {
        if (step.command == 'h') overlay.showHelp();
        if (step.command == 's') overlay.showStatus("WIND - 10");
        for (int i = 0; i < step.frames; ++i) overlay.draw();
        EXPECT_EQ(std::make_tuple(overlay.titleFrames, overlay.helpFrames, overlay.statusFrames),
                  std::make_tuple(step.title, step.help, step.status)) << step.command << step.frames;
    }
}

TEST_F(OverlayGL, TheTitleIsOpaqueThenFadesAddedOntoTheSceneAndTheHelpAlwaysBlends) {
    for (int title : {75, 26, 25}) EXPECT_FALSE(blended(title, 0)) << title;
    for (int title : {24, 10, 1}) EXPECT_TRUE(blended(title, 0)) << title;
    EXPECT_TRUE(blended(0, 25));
    // The centre picture's alpha by the title's and the help's counts.
    const std::tuple<int, int, float> alphas[] = {{75, 0, 1},    {25, 0, 1},    {24, 0, 0.96f}, {1, 0, 0.04f},
                                                  {0, 25, 0.7f}, {0, 11, 0.7f}, {0, 10, 0.7f},  {0, 1, 0.07f}};
    for (auto [title, help, alpha] : alphas) {
        overlay.titleFrames = title, overlay.helpFrames = help;
        EXPECT_NEAR(nextFrame()[0].colour[3], alpha, 1e-6) << title << " " << help;
    }
}

TEST_F(OverlayGL, PicturesLieInTheirCornersUprightAndTheHintHidesDuringTheHelp) {
    // Title (6 vertices: two triangles), then the hint in the bottom-left corner.
    std::vector<FeedbackVertex> v = nextFrame();
    ASSERT_EQ(v.size(), 12u);
    // Each corner at its rectangle's side given by its texture coordinate, the picture's first row on top.
    auto expectCorners = [](const FeedbackVertex* c, int count, float left, float right, float top, float bottom) {
        for (int i = 0; i < count; ++i) {
            EXPECT_NEAR(c[i].x, c[i].texCoord[0] == 0 ? left : right, 1e-3) << i;
            EXPECT_NEAR(c[i].y, c[i].texCoord[1] == 0 ? top : bottom, 1e-3) << i;
        }
    };
    expectCorners(&v[0], 6, -0.75f, 0.75f, 0.5f, -0.5f);
    expectCorners(&v[6], 6, -1, -0.75f, -0.95f, -1);
    EXPECT_EQ(v[6].colour[0], 1);
    overlay.showHelp();
    EXPECT_EQ(nextFrame().size(), 6u) << "the help alone";
    overlay.helpFrames = 1;
    EXPECT_EQ(nextFrame().size(), 12u) << "the hint is back in the help's last frame";

    const std::vector<FeedbackVertex> logo = recordFeedback([&] { overlay.drawLogo(); });
    ASSERT_EQ(logo.size(), 6u);
    expectCorners(logo.data(), 6, 0.75f, 1, 1, 0.8125f);
    EXPECT_NEAR(logo[0].colour[3], 0.5f, 1e-6) << "the pulse starts at its middle";
}

TEST_F(OverlayGL, TheStatusLineIsGreenAtItsPlaceAndKeepsItsOwnText) {
    overlay.titleFrames = 0;
    std::string text = "WIND - 10";
    overlay.showStatus(text.c_str());
    text.assign(9, 'x');
    glEnable(GL_LIGHTING);
    std::vector<FeedbackVertex> characters;
    for (const FeedbackVertex& v : recordFeedback([&] { overlay.draw(); }))
        if (v.token == GL_BITMAP_TOKEN) characters.push_back(v);
    ASSERT_EQ(characters.size(), 9u);
    // The first at the raster position, in pure green; the rest to its right.
    const FeedbackVertex &first = characters[0], &last = characters[8];
    EXPECT_NEAR(first.x, -0.75f, 1e-3);
    EXPECT_NEAR(first.y, -0.75f, 1e-3);
    EXPECT_TRUE(last.x > first.x && first.colour[0] == 0 && first.colour[1] == 1 && first.colour[2] == 0);
    EXPECT_TRUE(isOn(GL_LIGHTING));
    EXPECT_EQ(overlay.statusText, "WIND - 10");
}
