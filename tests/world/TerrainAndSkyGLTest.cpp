// The terrain and the sky against a real GL: the grass on the ground, the sun's light, the stars, and
// the colours of dome and sun through the day.
#include "tests/support/GLContext.h"
#include "world/Sky.h"
#include "world/Terrain.h"

#include <array>
#include <cmath>

using TerrainGL = GLTest;

TEST_F(TerrainGL, DrawsItsStripsWithTheGrassRepeatingEveryFiftyOneUnitsAndLeavesTexturingOff) {
    testing::internal::CaptureStdout();
    Terrain terrain(50, 50, nullptr);
    testing::internal::GetCapturedStdout();
    auto vertices = recordFeedback([&] { terrain.draw(); }, 130, 50, 0, 50);
    ASSERT_EQ(vertices.size(), 16u * 32 * 3) << "16 strips of 32 triangles";
    for (const FeedbackVertex& v : vertices) {
        EXPECT_NEAR(v.texCoord[0], (v.x - 50 - 25.5f) / 51, 1e-3f);
        EXPECT_NEAR(v.texCoord[1], (v.z - 50 - 25.5f) / 51, 1e-3f);
    }
    GLint shading = 0;
    glGetIntegerv(GL_SHADE_MODEL, &shading);
    EXPECT_EQ(shading, GL_SMOOTH);
    EXPECT_EQ(uploadedWidth(), terrain.groundImage->width);
    EXPECT_EQ(texturing(), std::vector<bool>(3, false));
}

class SkyGL : public GLTest {
protected:
    static void SetUpTestSuite() { sky = new Sky(50, 50); }
    static void at(float angle) {
        sky->sunAngle = angle;
        sky->applySunLight();
    }
    static std::vector<FeedbackVertex> stars() { return recordFeedback([] { sky->drawStars(); }, 110, 50, 0, 50); }
    static inline Sky* sky;
};

// Sunrise, noon and midnight, with the sky's 3.141528 for pi.
constexpr float RISE = 0, NOON = 1.5707639f, MIDNIGHT = 4.712292f;

TEST_F(SkyGL, TheSunRisesInTheEastLightsTheDayAndLeavesTheNightAtItsLowestLevel) {
    for (const auto& [angle, x, y, level] : {std::array<float, 4>{RISE, 152, 0, 0.2f}, {NOON, 50, 80, 1.8f}, {MIDNIGHT, 50, -80, 0.2f}}) {
        at(angle);
        GLfloat position[4], diffuse[4];
        glGetLightfv(GL_LIGHT1, GL_POSITION, position);
        glGetLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse);
        for (int i = 0; i < 3; ++i) EXPECT_NEAR(position[i], (std::array<float, 3>{x, y, 50}[i]), 0.02) << angle;
        for (float channel : {diffuse[0], diffuse[1], diffuse[2], sky->daylight()[0], sky->daylight()[2]})
            EXPECT_NEAR(channel, level, 1e-5) << angle;
    }
}

TEST_F(SkyGL, StarsShowOpaqueAtNightFadeInAdditivelyAtDuskAndHideByDay) {
    at(NOON);
    EXPECT_TRUE(stars().empty());
    at(MIDNIGHT);
    glBlendFunc(GL_ZERO, GL_ZERO);
    auto points = stars();
    ASSERT_EQ(points.size(), static_cast<size_t>(Sky::STAR_COUNT));
    int i = 0;
    for (Vertex* star : items<Vertex>(sky->stars)) {
        const FeedbackVertex& v = points[i++];
        EXPECT_NEAR(v.x, star->get(0), 0.05);
        EXPECT_EQ((std::vector<float>{v.colour[0], v.colour[3]}), (std::vector<float>{star->tag, 1}));
    }
    GLint blend[2];
    GLfloat size = 0;
    glGetIntegerv(GL_BLEND_SRC, &blend[0]);
    glGetFloatv(GL_POINT_SIZE, &size);
    EXPECT_EQ(std::make_pair(blend[0], size), std::make_pair(GL_ZERO, 2.0f)) << "no blend function at full night";
    // Light level 0.35: the stars show at alpha 0.5, added onto the sky.
    at(static_cast<float>(std::asin(0.275)));
    EXPECT_NEAR(stars().at(0).colour[3], 0.5f, 1e-4);
    glGetIntegerv(GL_BLEND_SRC, &blend[0]);
    glGetIntegerv(GL_BLEND_DST, &blend[1]);
    EXPECT_EQ((std::vector<GLint>{blend[0], blend[1]}), (std::vector<GLint>{GL_SRC_ALPHA, GL_ONE}));
    EXPECT_EQ((std::vector<bool>{isOn(GL_BLEND), isOn(GL_LIGHTING)}), (std::vector<bool>{false, true}));
}

TEST_F(SkyGL, TheDomeTakesTheLightLevelAndTheSunTurnsFromRedToYellowishWhite) {
    for (const auto& [angle, dome, green, blue] : {std::array<float, 4>{RISE, 0.2f, 0.194f, 0.094f}, {NOON, 1, 0.97f, 0.47f}}) {
        at(angle);
        auto vertices = recordFeedback([] { sky->draw(); }, 160, 50, 0, 50);
        // The dome's 32 strips of 64 triangles first, then the sun's 16 of 32; above level 1 the dome
        // is clamped, and the picture shows in its own colours.
        ASSERT_EQ(vertices.size(), (32 * 64 + 16 * 32) * 3u);
        for (size_t k = 0; k < vertices.size(); ++k) {
            const std::array<float, 3> expected = k < 32 * 64 * 3 ? std::array<float, 3>{dome, dome, dome} : std::array<float, 3>{1, green, blue};
            for (int c = 0; c < 3; ++c) EXPECT_NEAR(vertices[k].colour[c], expected[c], 1e-4) << angle << " vertex " << k;
        }
        EXPECT_EQ((std::vector<bool>{isOn(GL_LIGHTING), isOn(GL_TEXTURE_2D)}), (std::vector<bool>{true, false}));
    }
}
