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
};

TEST_F(TickTest, TheFlyThroughFollowsItsPathAndPausesInTheOtherModes) {
    for (int i = 0; i < 50; ++i) tick();
    const float t = flightTime - 0.01f;  // the eye stands where the path was before this tick's advance
    EXPECT_NEAR(flightTime, 0.5f, 1e-5f);
    EXPECT_NEAR(eye[0], std::sin(t) * 20 + 50, 1e-4);
    EXPECT_NEAR(eye[1], std::sin(t * 1.4) * 10 + 25, 1e-4);
    EXPECT_NEAR(eye[2], std::cos(t * 1.2) * 20 + 50, 1e-4);
    const std::vector<float> paused{eye[0], eye[1], eye[2]};
    cameraMode = 2;
    tick();
    EXPECT_EQ((std::vector<float>{eye[0], eye[1], eye[2]}), paused);
    EXPECT_NEAR(flightTime, 0.5f, 1e-5f);
}

TEST_F(TickTest, EveryTickAdvancesTheSunAndTheWindOnceTheWindIsOn) {
    tick();
    EXPECT_FLOAT_EQ(sky->sunAngle, 0.002f);
    EXPECT_EQ(wind->ticks, 0) << "the wind is off at start";
    wind->switchOn();
    tick();
    tick();
    EXPECT_EQ(wind->ticks, 2);
}

TEST(Camera, ClampPitchKeepsTheViewOffBothPoles) {
    const float high = -0.17452933f, low = -2.9669986f;  // 10 and 170 degrees from straight up
    for (const auto& [pitch, limited] : {std::pair{.5f, high}, {-3.1f, low}, {-1.f, -1.f}, {high, high}, {low, low}}) {
        lookAngles[1] = pitch;
        clampPitch();
        EXPECT_EQ(lookAngles[1], limited) << pitch;
    }
}
