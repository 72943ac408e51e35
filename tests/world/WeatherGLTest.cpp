// Rain and butterflies against a real GL: what they send, in which colour, and what they leave on.
#include "tests/support/GLContext.h"
#include "world/Butterfly.h"
#include "world/Rain.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

using WeatherGL = GLTest;
float tint[3] = {0.5f, 1, 2};

TEST_F(WeatherGL, RainDrawsNothingAndChangesNothingWhileDry) {
    std::srand(5);
    Rain rain(50, 50, tint);
    glColor4f(0.1f, 0.2f, 0.3f, 0.4f);
    EXPECT_TRUE(recordFeedback([&] { rain.draw(); }, 60, 50, 20, 50).empty());
    GLfloat colour[4], size;
    glGetFloatv(GL_CURRENT_COLOR, colour);
    glGetFloatv(GL_POINT_SIZE, &size);
    EXPECT_EQ(colour[0], 0.1f);
    EXPECT_EQ(size, 1.0f);

    rain.start();
    auto drops = recordFeedback([&] { rain.draw(); }, 60, 50, 20, 50);
    ASSERT_EQ(drops.size(), static_cast<size_t>(Rain::DROP_COUNT));
    const float* c = drops[0].colour;
    // GL clamps the colour it reports: 0.47 * 0.5, 0.92 * 1, and 2 reported as 1.
    EXPECT_NEAR(c[0], 0.235f, 1e-6);
    EXPECT_NEAR(c[1], 0.92f, 1e-6);
    EXPECT_EQ(c[2], 1.0f);
    EXPECT_NEAR(c[3], 0.7f, 1e-6);
    glGetFloatv(GL_POINT_SIZE, &size);
    EXPECT_EQ(size, 2.0f);
    EXPECT_FALSE(isOn(GL_BLEND));
}

// The polygon's corners in order: Mesa hands a polygon back as the fan of triangles (i, i + 1, 0).
std::vector<FeedbackVertex> corners(Butterfly& b) {
    const std::vector<FeedbackVertex> fan = recordFeedback([&] { b.draw(); }, 30, 50, 20, 50);
    std::vector<FeedbackVertex> out = {fan.at(2), fan.at(0)};
    for (size_t i = 1; i < fan.size(); i += 3) out.push_back(fan[i]);
    return out;
}

TEST_F(WeatherGL, AButterflyIsATwelveCornerPolygonWithTheWholePictureOnIt) {
    std::srand(7);
    Butterfly b(50, 50, tint);
    b.pathTime = 0;
    b.pathScale = 10;
    b.wingAngle = 0;
    const Butterfly::Pose p = b.pose();
    const double a = -0.4 * p.u;
    // Per corner: s, t, then the offsets in wing spans (x), wing lift (y) and steps along w (z).
    const float table[12][5] = {{0.5f, 0.25f, 0, 0, 0.1f}, {1, 0, 1, 1, 0.2f},     {1, 0.25f, 1, 1, 0.1f},
                                {0.5f, 0.5f, 0, 0, 0},     {1, 0.5f, 1, 1, 0},     {1, 1, 1, 1, -0.2f},
                                {0.5f, 0.75f, 0, 0, -0.1f}, {0, 1, -1, 1, -0.2f},  {0, 0.5f, -1, 1, 0},
                                {0.5f, 0.5f, 0, 0, 0},     {0, 0.25f, -1, 1, 0.1f}, {0, 0, -1, 1, 0.2f}};
    const std::vector<FeedbackVertex> got = corners(b);
    ASSERT_EQ(got.size(), 12u);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(got[i].texCoord[0], table[i][0]) << "corner " << i;
        EXPECT_EQ(got[i].texCoord[1], table[i][1]) << "corner " << i;
        EXPECT_NEAR(got[i].x, p.x + a * table[i][2], 2e-3) << "corner " << i;
        // With the wings level, their tips are at the body's height.
        EXPECT_NEAR(got[i].y, p.y, 2e-3) << "corner " << i;
        EXPECT_NEAR(got[i].z, p.z + table[i][4] * p.w, 2e-3) << "corner " << i;
        EXPECT_EQ(got[i].colour[1], 1.0f);
    }
    EXPECT_FALSE(isOn(GL_TEXTURE_2D));
}

TEST_F(WeatherGL, AButterflyWithAPathOfSizeZeroSendsOnlyFiniteNumbers) {
    std::srand(9);
    Butterfly b(50, 50, tint);
    b.pathScale = 0;
    for (int tick = 0; tick < 50; ++tick, b.step())
        for (const FeedbackVertex& v : corners(b)) ASSERT_TRUE(std::isfinite(v.x + v.y + v.z)) << tick;
    glLoadIdentity();
    b.followView();
    GLfloat view[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, view);
    for (float m : view) EXPECT_TRUE(std::isfinite(m));
}

}  // namespace
