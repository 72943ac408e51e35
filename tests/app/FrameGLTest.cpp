// The frame against a real GL: the spotlight, the state a reshape and a frame leave, and the tick's
// clocks, still moving by their steps after a week. How bright night and day are is seen on the real program.
#include "app/Camera.h"
#include "app/Frame.h"
#include "app/Overlay.h"
#include "app/Tick.h"
#include "tests/support/GLContext.h"
#include "tests/support/WorldFixture.h"
#include "world/Butterfly.h"
#include "world/Sky.h"

#include <cmath>

class FrameGL : public GLTest {
protected:
    void SetUp() override {
        populateFromSeed(41);
        GLTest::SetUp();
    }
    static float spotlight(GLenum parameter, int i) {
        std::vector<float> value(4);
        glGetLightfv(GL_LIGHT0, parameter, value.data());
        return value[i];
    }
};

TEST_F(FrameGL, TheSpotlightIsAlmostDarkAtNoonAndBrightAtMidnight) {
    for (const auto& [daylight, spot] : {std::pair{1.8f, 0.04f}, {0.2f, 3.56f}}) {
        worldTint[0] = worldTint[1] = worldTint[2] = daylight;
        setupLighting();
        // Grey light of the spot's level; alpha 0 in the ambient term, 1 in the others.
        for (GLenum parameter : {GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR})
            for (int i = 0; i < 4; ++i)
                EXPECT_NEAR(spotlight(parameter, i), i < 3 ? spot : parameter != GL_AMBIENT, 1e-5) << daylight;
    }
}

TEST_F(FrameGL, AReshapeAndAFrameLeaveIdentityMatricesNoDepthTestAndTheDaylightForTheNextSpotlight) {
    glMatrixMode(GL_PROJECTION);
    glOrtho(-2, 2, -2, 2, -2, 2);
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(1, 2, 3);
    reshape(-3, 1 << 30);
    EXPECT_EQ(glGetError(), GL_NO_ERROR) << "an absurd size reached GL";
    reshape(TEST_WINDOW_SIZE, TEST_WINDOW_SIZE);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ((std::vector<GLint>{viewport[2], viewport[3], integerState(GL_MATRIX_MODE)}),
              (std::vector<GLint>{64, 64, GL_MODELVIEW}));
    glEnable(GL_LIGHTING);
    sky->setNoon();
    display();
    const std::vector<float> identity{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    for (GLenum matrix : {GL_MODELVIEW_MATRIX, GL_PROJECTION_MATRIX}) {
        std::vector<float> value(16);
        glGetFloatv(matrix, value.data());
        EXPECT_EQ(value, identity) << matrix;
    }
    EXPECT_EQ(std::make_pair(integerState(GL_MODELVIEW_STACK_DEPTH), isOn(GL_DEPTH_TEST)), std::make_pair(1, false));
    setupLighting();
    EXPECT_NEAR(spotlight(GL_DIFFUSE, 0), 0.04f, 1e-5);
}

using Values = std::vector<double>;

TEST_F(FrameGL, EveryClockStillMovesByItsStepAfterAWeek) {
    Butterfly* butterfly = static_cast<Butterfly*>(butterflies->at(0));
    butterfly->pathScale = 10;
    // Each clock by its step, what its picture shows and should show, and the fastest it moves.
    const struct { float* clock; double step; std::function<Values()> shown; std::function<Values(double)> expected;
                   double reach; } clocks[] = {
        {&sky->sunAngle, 0.002f, [] { sky->applySunLight(); return Values{sky->sunPosition[0], sky->sunPosition[1]}; },
         [](double t) { return Values{std::cos(t) * 102 + 50, std::sin(t) * 80}; }, 102},
        {&butterfly->pathTime, 0.005, [=] { const auto p = butterfly->pose(); return Values{p.x, p.y, p.z}; },
         [](double t) {
             return Values{50 + 10 * std::sin(t) + 2.5 * std::cos(5 * t), 20 + 3 * std::sin(3 * t),
                           50 - 10 * std::cos(t) + 2.5 * std::sin(8 * t)};
         }, 30},
        {&flightTime, 0.01f, [] { followFlightPath(); return Values{eye[0], eye[1], eye[2]}; },
         [](double t) {
             return Values{std::sin(t) * 20 + 50, std::sin(t * 1.4) * 10 + 25, std::cos(t * 1.2) * 20 + 50};
         }, 24},
        {&overlay->logoPhase, 0.1, [] { return Values{recordFeedback([] { overlay->drawLogo(); })[0].colour[3]}; },
         [](double t) { return Values{std::sin(t) * 0.3 + 0.5}; }, 0.3},
    };
    for (const auto& c : clocks) {
        SCOPED_TRACE(&c - clocks);
        // An hour in, a clock is still exactly the plain float sum. Drawing the logo advances its clock.
        const float hour = static_cast<float>(60 * 3600 * c.step);
        *c.clock = hour;
        tick();
        c.shown();
        EXPECT_EQ(*c.clock, static_cast<float>(hour + c.step));

        const float week = static_cast<float>(60.0 * 604800 * c.step);
        *c.clock = week;
        for (int n = 0; n <= 60; ++n, tick()) {
            const Values shown = c.shown(), expected = c.expected(week + n * c.step);
            for (size_t i = 0; i < shown.size(); ++i)
                ASSERT_NEAR(shown[i], expected[i], 0.05 * c.step * c.reach) << "after " << n << " ticks";
        }
    }
    // The fly-through pauses while another camera is used.
    cameraMode = 2;
    const float paused = flightTime;
    tick();
    EXPECT_EQ(flightTime, paused);
}
