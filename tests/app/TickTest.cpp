// The animation tick: the automatic cameras, the wind and the sun, one step per tick.
#include "app/Camera.h"
#include "app/Tick.h"
#include "app/World.h"
#include "tests/support/WorldFixture.h"
#include "world/Sky.h"
#include "world/Wind.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

namespace {

class TickTest : public testing::Test {
protected:
    static void SetUpTestSuite() { populateFromSeed(21); }
    void SetUp() override {
        cameraMode = 0;
        flightTime = 0;
        lookAngles[0] = lookAngles[1] = 0;
    }
};

void expectOnPath(float t) {
    EXPECT_NEAR(eye[0], std::sin(t) * 20 + 50, 1e-4);
    EXPECT_NEAR(eye[1], std::sin(t * 1.4) * 10 + 25, 1e-4);
    EXPECT_NEAR(eye[2], std::cos(t * 1.2) * 20 + 50, 1e-4);
}

TEST_F(TickTest, FlyThroughFollowsItsPathAndPausesInOtherModes) {
    for (int i = 0; i < 50; ++i) tick();
    EXPECT_NEAR(flightTime, 0.5f, 1e-5f);
    // The eye stands where the path was before this tick's advance.
    expectOnPath(flightTime - 0.01f);

    cameraMode = 2;
    const float paused = flightTime;
    const float eyeBefore[3] = {eye[0], eye[1], eye[2]};
    for (int i = 0; i < 30; ++i) tick();
    EXPECT_EQ(flightTime, paused);
    EXPECT_EQ(eye[0], eyeBefore[0]);
    EXPECT_EQ(eye[2], eyeBefore[2]);

    cameraMode = 0;
    tick();
    expectOnPath(paused);
    EXPECT_NEAR(flightTime, paused + 0.01f, 1e-6f);
}

TEST_F(TickTest, CentreModeHoldsTheEyeAndTurnsSlowly) {
    cameraMode = 1;
    eye[0] = eye[1] = eye[2] = 0;
    for (int i = 0; i < 10; ++i) tick();
    EXPECT_EQ(eye[0], 50);
    EXPECT_EQ(eye[1], 15);
    EXPECT_EQ(eye[2], 50);
    EXPECT_NEAR(lookAngles[0], 0.1f, 1e-6f);
    // The start pitch 0 lies outside the limits and is clamped on the first tick.
    EXPECT_EQ(lookAngles[1], -0.17452933f);
    EXPECT_EQ(flightTime, 0);
}

TEST_F(TickTest, AdvancesTheSunAndTheWindOncePerTick) {
    const float sunBefore = sky->sunAngle;
    const std::int64_t windBefore = wind->ticks;
    tick();
    EXPECT_FLOAT_EQ(sky->sunAngle, sunBefore + 0.002f);
    // The wind is off at start: its time stands still.
    EXPECT_EQ(wind->ticks, windBefore);
    wind->switchOn();
    tick();
    tick();
    EXPECT_EQ(wind->ticks, windBefore + 2);
    wind->switchOff();
    tick();
}

TEST(CameraLimits, ClampPitchKeepsTheViewOffBothPoles) {
    lookAngles[1] = 0.5f;
    clampPitch();
    EXPECT_EQ(lookAngles[1], -0.17452933f);
    lookAngles[1] = -3.1f;
    clampPitch();
    EXPECT_EQ(lookAngles[1], -2.9669986f);
    lookAngles[1] = -1.0f;
    clampPitch();
    EXPECT_EQ(lookAngles[1], -1.0f);
    lookAngles[1] = -0.17452933f;
    clampPitch();
    EXPECT_EQ(lookAngles[1], -0.17452933f);
}

}  // namespace
