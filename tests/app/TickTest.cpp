// The animation tick: the fly-through, the sun and the wind, one step per tick.
#include "app/Camera.h"
#include "app/Tick.h"
#include "tests/support/WorldFixture.h"
#include "world/Sky.h"
#include "world/Wind.h"

#include <cmath>

TEST(Tick, MovesTheFlyThroughOnlyInItsModeTheSunAlwaysAndTheWindOnceItIsOn) {
    populateFromSeed(21);
    for (int i = 0; i < 50; ++i) tick();
    // The eye stands where the path was before this tick's advance.
    const float t = flightTime - 0.01f;
    EXPECT_NEAR(flightTime, 0.5f, 1e-5f);
    EXPECT_NEAR(eye[0], std::sin(t) * 20 + 50, 1e-4);
    EXPECT_NEAR(eye[1], std::sin(t * 1.4) * 10 + 25, 1e-4);
    EXPECT_NEAR(eye[2], std::cos(t * 1.2) * 20 + 50, 1e-4);
    EXPECT_NEAR(sky->sunAngle, 0.1f, 1e-5f);
    EXPECT_EQ(wind->ticks, 0) << "the wind is off at start";
    const std::vector<float> paused{eye[0], eye[1], eye[2], flightTime};
    cameraMode = 2;
    wind->switchOn();
    tick();
    tick();
    EXPECT_EQ((std::vector<float>{eye[0], eye[1], eye[2], flightTime}), paused);
    EXPECT_EQ(wind->ticks, 2);
}
