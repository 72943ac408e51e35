// Every command a user can give, and the cameras they steer, against the real world and a real GL.
#include "app/Camera.h"
#include "app/Input.h"
#include "app/Overlay.h"
#include "app/World.h"
#include "tests/support/GLContext.h"
#include "tests/support/WorldFixture.h"
#include "world/Butterfly.h"
#include "world/Rain.h"
#include "world/Sky.h"
#include "world/Wind.h"

#include <GL/freeglut.h>

#include <cmath>

class InputGL : public GLTest {
protected:
    static void SetUpTestSuite() { populateFromSeed(12); }
    void SetUp() override {
        GLTest::SetUp();
        butterfliesOn = 1, rainOn = 0, spotlightOn = 0, windOn = 0, windStrength = 5, cameraMode = 0;
        overlay->statusText.clear();
        lookAngles[0] = 0.3f, lookAngles[1] = -1.2f;
    }
};

// A key, a menu value (+1000) or a special key (+2000).
static void give(int input) {
    if (input >= 2000) specialKey(input - 2000, 0, 0);
    else if (input >= 1000) menuSelect(input - 1000);
    else keyboard(static_cast<unsigned char>(input), 0, 0);
}

// Butterflies, rain, spotlight and wind as 0 or 1 ('?' where the switch and what it drives disagree),
// the strength, the camera mode and the status line.
static std::string state() {
    auto on = [](int global, bool driven) { return global == driven ? static_cast<char>('0' + global) : '?'; };
    return std::string{static_cast<char>('0' + butterfliesOn), on(rainOn, rain->raining),
                       on(spotlightOn, isOn(GL_LIGHT0)), on(windOn, wind->active)} +
           " " + std::to_string(windStrength) + " " + std::to_string(cameraMode) + " " + overlay->statusText;
}

TEST_F(InputGL, EveryCommandSetsItsSwitchesCameraAndStatusLine) {
    // Each row in turn, from the start state: the input, how many times, and the state afterwards.
    const struct { int input, times; const char* state; } rows[] = {
        {'+', 1, "1000 5 0 "},  // the wind is off: nothing happens
        {'V', 1, "1001 5 0 WIND - ON"}, {'+', 6, "1001 10 0 WIND - 10"}, {1000 + 305, 11, "1001 0 0 WIND - 0"},
        {1000 + 304, 1, "1001 1 0 WIND - 1"}, {'v', 1, "1000 1 0 WIND - OFF"}, {'-', 1, "1000 1 0 WIND - OFF"},
        {'3', 1, "1000 1 3 CAMERA - 3"},      {'p', 1, "0100 1 2 RAIN - ON, BUTTERFLY - OFF, CAMERA - 2"},
        {1000 + 204, 1, "0100 1 2 RAIN - ON, BUTTERFLY - OFF, CAMERA - 2"},
        {'m', 1, "1000 1 2 BUTTERFLY - ON, RAIN - OFF"}, {1000 + 302, 1, "0100 1 2 RAIN - ON, BUTTERFLY - OFF"},
        {'P', 1, "0000 1 2 RAIN - OFF"},      {'P', 1, "0100 1 2 RAIN - ON"},
        {'M', 1, "1000 1 2 BUTTERFLY - ON, RAIN - OFF"}, {1000 + 301, 1, "0000 1 2 BUTTERFLY - OFF"},
        {'M', 1, "1000 1 2 BUTTERFLY - ON"},  {1000 + 204, 1, "1000 1 3 CAMERA - 3"},
        {'M', 1, "0000 1 2 BUTTERFLY - OFF, CAMERA - 2"}, {'r', 1, "0010 1 2 REFLECTOR - ON"},
        {1000 + 103, 1, "0000 1 2 REFLECTOR - OFF"}, {1000 + 201, 1, "0000 1 0 CAMERA - 0"},
        {1000 + 202, 1, "0000 1 1 CAMERA - 1"}, {'2', 1, "0000 1 2 CAMERA - 2"}, {1000 + 303, 1, "0001 1 2 WIND - ON"},
        {'x', 1, "0001 1 2 WIND - ON"},  // beyond 'w': ignored
        {1000 + 999, 1, "0001 1 2 WIND - ON"},
    };
    for (const auto& row : rows) {
        for (int i = 0; i < row.times; ++i) give(row.input);
        EXPECT_EQ(state(), row.state) << "input " << row.input;
        wind->animate();
    }
    give(1000 + 101);
    EXPECT_EQ(sky->sunAngle, 4.712292f);
    give(2000 + GLUT_KEY_F8);
    EXPECT_EQ(sky->sunAngle, 1.5707639f);
    give(2000 + GLUT_KEY_F1);
    EXPECT_EQ(overlay->helpFrames, Overlay::HELP_FRAMES);
}

TEST_F(InputGL, ThePointerTurnsTheViewWithinItsLimitsAndTheWarpTurnsNothing) {
    lastMouseX = lastMouseY = 100;
    passiveMotion(90, 110);
    EXPECT_FLOAT_EQ(lookAngles[0], 0.4f) << "right turns the yaw down, left up";
    EXPECT_FLOAT_EQ(lookAngles[1], -1.3f) << "down turns the pitch down";
    for (int edge : {0, 199, 250}) {
        const std::pair<float, float> before{lookAngles[0], lookAngles[1]};
        passiveMotion(edge, 50);
        passiveMotion(100, 100);  // the event the warp itself makes
        EXPECT_EQ(std::make_pair(lookAngles[0], lookAngles[1]), before) << edge;
        EXPECT_EQ(lastMouseX, 100);
    }
    // Far down, then far up, each stroke warped back: the pitch stops 170 and 10 degrees from straight up.
    for (const auto& [y, limit] : {std::pair{198, -2.9669986f}, {1, -0.17452933f}}) {
        for (int stroke = 0; stroke < 4; ++stroke) passiveMotion(100, y), passiveMotion(100, 0);
        EXPECT_EQ(lookAngles[1], limit) << y;
    }
}

TEST_F(InputGL, FreeLookWalksOnlyInModeTwoAndNeverReachesTheEdge) {
    // Looking along +x, level: yaw a quarter turn, pitch a quarter turn below straight up.
    lookAngles[0] = 1.570764f, lookAngles[1] = -1.570764f;
    eye[0] = 50 + 48.5f, eye[1] = 0, eye[2] = 50;
    for (int mode : {0, 1, 3}) {
        cameraMode = mode;
        for (int key : {int{'W'}, int{'A'}, int{'S'}, int{'d'}, 2000 + GLUT_KEY_UP}) give(key);
        EXPECT_EQ(eye[0], 98.5f) << "mode " << mode;
    }
    // In free look: forwards, a step to 50.5 from the centre refused whole, and back.
    cameraMode = 2;
    for (const auto& [key, x] : {std::pair{2000 + GLUT_KEY_UP, 99.5f}, {'w', 99.5f}, {2000 + GLUT_KEY_DOWN, 98.5f}}) {
        give(key);
        EXPECT_NEAR(eye[0], x, 1e-4) << key;
    }
    // Sideways the eye keeps its height, whatever the pitch.
    lookAngles[1] = -0.3f;
    for (int key : {int{'A'}, 2000 + GLUT_KEY_LEFT, int{'D'}, 2000 + GLUT_KEY_RIGHT}) {
        const float height = eye[1];
        give(key);
        EXPECT_NEAR(eye[1], height, 4e-5);
    }
    EXPECT_NEAR(eye[2], 50, 1e-3) << "two steps left and two right";
    EXPECT_EQ(lookAngles[1], -0.3f) << "walking turns only the walking direction";
}

TEST_F(InputGL, EachCameraLooksAtItsPoint) {
    eye[0] = 40, eye[1] = 20, eye[2] = 45;
    lookAngles[0] = 0.5f, lookAngles[1] = -1.0f;
    give(1000 + 204);
    const Butterfly::Pose butterfly = followedButterfly->pose();
    const double d[3] = {std::sin(-0.5) * std::sin(-1.0), std::cos(-1.0), -std::cos(-0.5) * std::sin(-1.0)};
    const double centres[4][3] = {{50, 15, 50}, {40 + d[0], 20.3, 45 + d[2]}, {40 + d[0], 20 + d[1], 45 + d[2]},
                                  {butterfly.x, butterfly.y, butterfly.z}};
    for (int mode = 0; mode < 4; ++mode) {
        cameraMode = mode;
        glLoadIdentity();
        applyCamera();
        GLdouble m[16], at[3];
        glGetDoublev(GL_MODELVIEW_MATRIX, m);
        const double* c = centres[mode];
        for (int i = 0; i < 3; ++i) at[i] = m[i] * c[0] + m[4 + i] * c[1] + m[8 + i] * c[2] + m[12 + i];
        // Straight ahead: on the view axis, in front of the eye.
        EXPECT_TRUE(std::abs(at[0]) < 1e-4 && std::abs(at[1]) < 1e-4 && at[2] < 0) << "mode " << mode;
    }
    glLoadIdentity();
}
