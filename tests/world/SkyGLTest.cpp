// The sky against a real GL: the sun's light, the stars, dome and sun; the grass shows in the golden pictures.
#include "tests/support/GLContext.h"
#include "world/Sky.h"

#include <cmath>

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

constexpr float RISE = 0, NOON = 1.5707639f, MIDNIGHT = 4.712292f;  // with the sky's 3.141528 for pi

TEST_F(SkyGL, StarsShowOpaqueAtNightFadeInAdditivelyAtDuskAndHideByDay) {
    at(NOON);
    EXPECT_TRUE(stars().empty());
    at(MIDNIGHT);
    glBlendFunc(GL_ZERO, GL_ZERO);
    auto points = stars();
    ASSERT_EQ(points.size(), static_cast<size_t>(Sky::STAR_COUNT));
    // Each star where it stands, opaque, as bright as its tag.
    int i = 0;
    for (Vertex* star : items<Vertex>(sky->stars)) {
        const FeedbackVertex& v = points[i++];
        EXPECT_TRUE(std::abs(v.x - star->get(0)) < 0.05 && v.colour[0] == star->tag && v.colour[3] == 1) << i;
    }
    EXPECT_EQ(std::make_pair(integerState(GL_POINT_SIZE), integerState(GL_BLEND_SRC)), std::make_pair(2, GL_ZERO))
        << "no blend function at full night";
    // Light level 0.35: the stars show at alpha 0.5, added onto the sky.
    at(static_cast<float>(std::asin(0.275)));
    EXPECT_NEAR(stars().at(0).colour[3], 0.5f, 1e-4);
    const auto blending = std::make_tuple(integerState(GL_BLEND_SRC), integerState(GL_BLEND_DST), isOn(GL_BLEND));
    EXPECT_EQ(blending, std::make_tuple(GL_SRC_ALPHA, GL_ONE, false));
    EXPECT_TRUE(isOn(GL_LIGHTING));
}

// The dome takes the light level as its colour, clamped above 1 where the picture shows in its own
// colours; the sun disc turns from red to yellowish white.
TEST_F(SkyGL, TheSunRisesInTheEastAndLightsTheDomeAndItselfByTheTimeOfDay) {
    // Angle; light 1's position x, y and level; the dome's colour, then the sun's, as colourRuns gives them.
    const struct { float angle, x, y, level; std::vector<long> colours; } phases[] = {
        {RISE, 152, 0, .2f, {20020020, 100019009}}, {NOON, 50, 80, 1.8f, {100100100, 100097047}},
        {MIDNIGHT, 50, -80, .2f, {20020020, 100000000}}};
    for (const auto& p : phases) {
        at(p.angle);
        std::vector<float> light(8);
        glGetLightfv(GL_LIGHT1, GL_POSITION, &light[0]);
        glGetLightfv(GL_LIGHT1, GL_DIFFUSE, &light[4]);
        const std::vector<float> expected{p.x, p.y, 50, 1, p.level, p.level, p.level, 1};
        for (int i = 0; i < 8; ++i) EXPECT_NEAR(light[i], expected[i], 0.02) << p.angle << " " << i;
        EXPECT_EQ(colourRuns([] { sky->draw(); }, 160, 50, 0, 50), p.colours) << p.angle;
    }
}
