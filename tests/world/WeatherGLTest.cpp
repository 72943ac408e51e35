// Rain and butterflies against a real GL: what they send, in which colour, and what they leave on.
#include "tests/support/GLContext.h"
#include "world/Butterfly.h"
#include "world/Rain.h"

#include <cmath>

using WeatherGL = GLTest;
static float tint[3] = {0.5f, 1, 2};

TEST_F(WeatherGL, RainDrawsNothingAndChangesNothingWhileDryAndTintedPointsWhileItRains) {
    std::srand(5);
    Rain rain(50, 50, tint);
    glColor4f(0.1f, 0.2f, 0.3f, 0.4f);
    EXPECT_TRUE(recordFeedback([&] { rain.draw(); }, 60, 50, 20, 50).empty());
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(std::make_pair(colour[0], integerState(GL_POINT_SIZE)), std::make_pair(0.1f, 1));

    rain.start();
    auto drops = recordFeedback([&] { rain.draw(); }, 60, 50, 20, 50);
    ASSERT_EQ(drops.size(), static_cast<size_t>(Rain::DROP_COUNT));
    // GL clamps the colour it reports: 0.47 * 0.5, 0.92 * 1, and 2 reported as 1.
    const float expected[4] = {0.235f, 0.92f, 1, 0.7f};
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(drops[0].colour[c], expected[c], 1e-6) << c;
    EXPECT_EQ(std::make_pair(integerState(GL_POINT_SIZE), isOn(GL_BLEND)), std::make_pair(2, false));
}

// The polygon's corners in order: Mesa hands a polygon back as the fan of triangles (i, i + 1, 0).
static std::vector<FeedbackVertex> corners(Butterfly& b) {
    const std::vector<FeedbackVertex> fan = recordFeedback([&] { b.draw(); }, 30, 50, 20, 50);
    std::vector<FeedbackVertex> out = {fan.at(2), fan.at(0)};
    for (size_t i = 1; i < fan.size(); i += 3) out.push_back(fan[i]);
    return out;
}

TEST_F(WeatherGL, AButterflyIsATwelveCornerPolygonWithTheWholePictureOnIt) {
    std::srand(7);
    Butterfly b(50, 50, tint);
    b.pathTime = 0, b.pathScale = 10, b.wingAngle = 0;
    const Butterfly::Pose p = b.pose();
    // Per corner: s, t, then the offsets in wing spans (x) and in steps along w (z); with the wings
    // level, their tips are at the body's height.
    const float table[12][4] = {{0.5f, 0.25f, 0, 0.1f}, {1, 0, 1, 0.2f},       {1, 0.25f, 1, 0.1f},
                                {0.5f, 0.5f, 0, 0},     {1, 0.5f, 1, 0},       {1, 1, 1, -0.2f},
                                {0.5f, 0.75f, 0, -0.1f}, {0, 1, -1, -0.2f},    {0, 0.5f, -1, 0},
                                {0.5f, 0.5f, 0, 0},     {0, 0.25f, -1, 0.1f},  {0, 0, -1, 0.2f}};
    const std::vector<FeedbackVertex> got = corners(b);
    ASSERT_EQ(got.size(), 12u);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(std::make_tuple(got[i].texCoord[0], got[i].texCoord[1], got[i].colour[1]),
                  std::make_tuple(table[i][0], table[i][1], 1.0f)) << "corner " << i;
        const double want[3] = {p.x - 0.4 * p.u * table[i][2], p.y, p.z + table[i][3] * p.w};
        const float at[3] = {got[i].x, got[i].y, got[i].z};
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(at[c], want[c], 2e-3) << "corner " << i;
    }
    EXPECT_FALSE(isOn(GL_TEXTURE_2D));
}
