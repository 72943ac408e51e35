// A butterfly's path, heading, wing beat and choice of picture.
#include "core/Random.h"
#include "world/Butterfly.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

float tint[3] = {1, 1, 1};

Butterfly* butterflyAt(float pathTime, float pathScale) {
    Butterfly* b = new Butterfly(50, 50, tint);
    b->pathTime = pathTime;
    b->pathScale = pathScale;
    return b;
}

TEST(Butterfly, FliesItsPathHeadingAlongThePairUsedCrosswise) {
    // t = 0, R = 10: the body at (52.5, 20, 40); the heading pair Dx = 2.5, Dz = 10.
    const Butterfly::Pose p = butterflyAt(0, 10)->pose();
    EXPECT_DOUBLE_EQ(p.x, 52.5);
    EXPECT_DOUBLE_EQ(p.y, 20);
    EXPECT_DOUBLE_EQ(p.z, 40);
    EXPECT_DOUBLE_EQ(p.u, 10 / std::sqrt(106.25));
    EXPECT_DOUBLE_EQ(p.w, 2.5 / std::sqrt(106.25));
}

TEST(Butterfly, APathOfSizeZeroHoversAtTheCentreWithTheHeadingOfATinyPath) {
    for (float t : {0.0f, 1.3f, 2.0f, -0.7f}) {
        const Butterfly::Pose zero = butterflyAt(t, 0)->pose(), tiny = butterflyAt(t, 0.05f)->pose();
        EXPECT_EQ(zero.x, 50);
        EXPECT_EQ(zero.z, 50);
        EXPECT_NEAR(zero.u, tiny.u, 1e-9) << t;
        EXPECT_NEAR(zero.w, tiny.w, 1e-9) << t;
    }
}

TEST(Butterfly, WingsBeatBetweenTheirLimits) {
    Butterfly* b = butterflyAt(0, 10);
    b->wingAngle = 1.25f;
    b->wingStep = 1;
    b->step();
    EXPECT_EQ(b->wingAngle, 1.375f);
    EXPECT_EQ(b->wingStep, -1);
    b->step();
    EXPECT_EQ(b->wingAngle, 1.25f);
    EXPECT_NEAR(b->pathTime, 0.01f, 1e-7);
    float lowest = 0, highest = 0;
    for (int i = 0; i < 200; ++i, b->step()) {
        lowest = std::fmin(lowest, b->wingAngle);
        highest = std::fmax(highest, b->wingAngle);
    }
    EXPECT_EQ(lowest, -1.375f);
    EXPECT_EQ(highest, 1.375f);
}

TEST(Butterfly, EachPictureTakesAQuarterOfTheRandomValues) {
    // The same draws seen raw and through randomUnit: 0-249 choose picture 1, 250-499 picture 2, ...
    std::srand(17);
    std::vector<int> raw(20000);
    for (int& r : raw) r = std::rand() % 1000;
    std::srand(17);
    for (int r : raw) ASSERT_EQ(butterflyPicture(randomUnit()), 1 + r / 250) << r;
}

}  // namespace
