// The sky against a real GL: the sun light of each phase of the day, the stars and the dome.
#include "tests/support/GLContext.h"
#include "world/Sky.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

class SkyGL : public testing::Test {
protected:
    static void SetUpTestSuite() {
        std::srand(31);
        sky = new Sky(50, 50);
    }
    void SetUp() override {
        resetGLState();
        sky->sunAngle = 0;
    }
    void TearDown() override { EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)); }

    static std::vector<FeedbackPrimitive> stars() {
        return recordFeedback([] { sky->drawStars(); }, 110, 50, 0, 50);
    }
    static void expectLight1(float x, float y, float level) {
        GLfloat position[4], diffuse[4];
        glGetLightfv(GL_LIGHT1, GL_POSITION, position);
        glGetLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse);
        EXPECT_NEAR(position[0], x, 1e-3);
        EXPECT_NEAR(position[1], y, 1e-3);
        EXPECT_NEAR(position[2], 50, 1e-3);
        for (int i = 0; i < 3; ++i) EXPECT_NEAR(diffuse[i], level, 1e-5);
    }

    static Sky* sky;
};

Sky* SkyGL::sky;

TEST_F(SkyGL, StartsInTheNightWithTheSunRisingInTheEast) {
    sky->applySunLight();
    EXPECT_EQ(sky->sunPosition[0], 152);
    EXPECT_EQ(sky->sunPosition[1], 0);
    EXPECT_EQ(sky->lightColour[0], 0.2f);
    EXPECT_EQ(sky->lightColour[2], 0.2f);
    expectLight1(152, 0, 0.2f);
}

TEST_F(SkyGL, NoonIsBrightHighAndStarless) {
    sky->setNoon();
    sky->applySunLight();
    EXPECT_NEAR(sky->lightColour[0], 1.8f, 1e-6);
    EXPECT_NEAR(sky->sunPosition[1], 80, 1e-4);
    expectLight1(sky->sunPosition[0], 80, sky->lightColour[0]);
    EXPECT_TRUE(stars().empty());
}

TEST_F(SkyGL, MidnightShowsEveryStarOpaqueWithoutBlending) {
    sky->setMidnight();
    sky->applySunLight();
    EXPECT_EQ(sky->lightColour[0], 0.2f);
    EXPECT_NEAR(sky->sunPosition[1], -80, 1e-4);
    glBlendFunc(GL_ZERO, GL_ZERO);
    auto points = stars();
    ASSERT_EQ(points.size(), static_cast<size_t>(Sky::STAR_COUNT));
    ListNode* node = sky->stars->first;
    for (const FeedbackPrimitive& point : points) {
        ASSERT_EQ(point.token, static_cast<GLenum>(GL_POINT_TOKEN));
        const FeedbackVertex& v = point.vertices[0];
        EXPECT_NEAR(std::hypot(v.x - 50, v.y, v.z - 50), 99, 0.05);
        const float brightness = static_cast<Vertex*>(node->payload)->tag;
        EXPECT_NEAR(v.colour[0], brightness, 1e-5);
        EXPECT_EQ(v.colour[3], 1.0f);
        node = node->next;
    }
    GLint source = 0;
    glGetIntegerv(GL_BLEND_SRC, &source);
    EXPECT_EQ(source, GL_ZERO) << "no blend function at full night";
    GLfloat size = 0;
    glGetFloatv(GL_POINT_SIZE, &size);
    EXPECT_EQ(size, 2.0f);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
}

TEST_F(SkyGL, AtDuskTheStarsFadeInAdditively) {
    // Light level 0.35: the stars show at alpha 0.5.
    sky->sunAngle = static_cast<float>(std::asin(0.275));
    sky->applySunLight();
    EXPECT_NEAR(sky->lightColour[0], 0.35f, 1e-5);
    auto points = stars();
    ASSERT_EQ(points.size(), static_cast<size_t>(Sky::STAR_COUNT));
    EXPECT_NEAR(points[0].vertices[0].colour[3], 0.5f, 1e-4);
    GLint source = 0, destination = 0;
    glGetIntegerv(GL_BLEND_SRC, &source);
    glGetIntegerv(GL_BLEND_DST, &destination);
    EXPECT_EQ(source, GL_SRC_ALPHA);
    EXPECT_EQ(destination, GL_ONE);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST_F(SkyGL, TheDomeWrapsThePictureFromZenithToNadir) {
    sky->setNoon();
    sky->applySunLight();
    auto vertices = allVertices(recordFeedback([] { sky->draw(); }, 110, 50, 0, 50));
    int dome = 0, sun = 0;
    for (const FeedbackVertex& v : vertices) {
        const float fromCentre = std::hypot(v.x - 50, v.y, v.z - 50);
        if (std::fabs(fromCentre - 100) < 0.1f) {
            ++dome;
            // The level 1.8 is clamped: the picture shows in its own colours.
            EXPECT_FLOAT_EQ(v.colour[0], 1);
            EXPECT_NEAR(v.texCoord[1], std::acos(v.y / 100) / M_PI, 2e-3);
            const double around = std::hypot(v.x - 50, v.z - 50);
            if (around > 5) {
                // s follows the azimuth from -z towards +x; the seam at s = 0 and 1 is one place.
                double phi = std::atan2(v.x - 50, -(v.z - 50)) / (2 * M_PI);
                if (phi < 0) phi += 1;
                const double difference = std::fabs(v.texCoord[0] - phi);
                EXPECT_LT(std::fmin(difference, 1 - difference), 2e-3) << v.x << " " << v.z;
            }
        } else {
            ++sun;
            EXPECT_NEAR(std::hypot(v.x - sky->sunPosition[0], v.y - sky->sunPosition[1], v.z - 50), 5, 0.05);
            EXPECT_FLOAT_EQ(v.colour[0], 1);
            EXPECT_NEAR(v.colour[1], 0.97f, 1e-4);
            EXPECT_NEAR(v.colour[2], 0.47f, 1e-4);
        }
    }
    EXPECT_EQ(dome, 32 * 64 * 3);
    EXPECT_EQ(sun, 16 * 32 * 3);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}

TEST_F(SkyGL, AtSunriseTheSunDiscIsRedAndTheDomeDark) {
    sky->applySunLight();
    auto vertices = allVertices(recordFeedback([] { sky->draw(); }, 160, 50, 0, 50));
    bool sawSun = false;
    for (const FeedbackVertex& v : vertices) {
        if (std::fabs(std::hypot(v.x - 50, v.y, v.z - 50) - 100) < 0.1f) {
            EXPECT_NEAR(v.colour[0], 0.2f, 1e-5);
        } else {
            sawSun = true;
            EXPECT_NEAR(v.colour[1], 0.194f, 1e-4);
            EXPECT_NEAR(v.colour[2], 0.094f, 1e-4);
        }
    }
    EXPECT_TRUE(sawSun);
}

}  // namespace
