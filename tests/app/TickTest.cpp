// The animation tick: the automatic cameras, the wind and the sun, one step per tick.
#include "app/Camera.h"
#include "app/Tick.h"
#include "tests/support/WorldFixture.h"
#include "world/Sky.h"
#include "world/Wind.h"

#include <cmath>

class TickTest : public testing::Test {
protected:
    void SetUp() override { populateFromSeed(21); }
    static std::vector<float> eyeNow() { return {eye[0], eye[1], eye[2]}; }
};

TEST_F(TickTest, TheFlyThroughFollowsItsPathAndPausesInTheOtherModes) {
    for (int i = 0; i < 50; ++i) tick();
    const float t = flightTime - 0.01f;  // the eye stands where the path was before this tick's advance
    EXPECT_NEAR(flightTime, 0.5f, 1e-5f);
    EXPECT_NEAR(eye[0], std::sin(t) * 20 + 50, 1e-4);
    EXPECT_NEAR(eye[1], std::sin(t * 1.4) * 10 + 25, 1e-4);
    EXPECT_NEAR(eye[2], std::cos(t * 1.2) * 20 + 50, 1e-4);
    const std::vector<float> paused = eyeNow();
    cameraMode = 2;
    for (int i = 0; i < 30; ++i) tick();
    EXPECT_EQ(eyeNow(), paused);
    cameraMode = 0;
    tick();
    EXPECT_NEAR(flightTime, 0.51f, 1e-5f);
    EXPECT_NEAR(eye[0], std::sin(0.5) * 20 + 50, 1e-4) << "resumed where it paused";
}

TEST_F(TickTest, TheCentreModeHoldsTheEyeAndTurnsSlowly) {
    cameraMode = 1;
    lookAngles[1] = 0;
    for (int i = 0; i < 10; ++i) tick();
    EXPECT_EQ(eyeNow(), (std::vector<float>{50, 15, 50}));
    EXPECT_NEAR(lookAngles[0], 0.1f, 1e-6f);
    EXPECT_EQ(lookAngles[1], -0.17452933f) << "the tick clamps the pitch into its limits";
    EXPECT_EQ(flightTime, 0);
}

TEST_F(TickTest, EveryTickAdvancesTheSunAndTheWindOnceTheWindIsOn) {
    tick();
    EXPECT_FLOAT_EQ(sky->sunAngle, 0.002f);
    EXPECT_EQ(wind->time, 0.0f) << "the wind is off at start";
    wind->switchOn();
    tick();
    tick();
    EXPECT_NEAR(wind->time, 0.2f, 1e-6f);
}

TEST(Camera, ClampPitchKeepsTheViewOffBothPoles) {
    const float top = -0.17452933f, bottom = -2.9669986f;
    for (const auto& [pitch, clamped] : {std::pair{0.5f, top}, {-3.1f, bottom}, {-1.0f, -1.0f}, {top, top}, {bottom, bottom}}) {
        lookAngles[1] = pitch;
        clampPitch();
        EXPECT_EQ(lookAngles[1], clamped) << pitch;
    }
}
