// The rain's drops, and a butterfly's path, heading, wing beat and choice of picture.
#include "core/Random.h"
#include "world/Butterfly.h"
#include "world/Rain.h"

#include <gtest/gtest.h>

#include <cmath>

static float tint[3] = {1, 1, 1};

static std::vector<float> heights(const Rain& rain) {
    std::vector<float> all;
    for (Vertex* drop : items<Vertex>(rain.drops)) all.push_back(drop->get(1));
    return all;
}

// Where the drops start is part of the recorded world (PopulationTest).
TEST(Rain, DropsFallOnlyWhileItRainsAndStartAgainAtTheTop) {
    std::srand(3);
    Rain rain(50, 60, tint);
    const std::vector<float> start = heights(rain);
    rain.fall();
    EXPECT_EQ(heights(rain), start) << "dry at start";
    // A drop at 0.3 starts again at exactly 40, one at 39.9 falls to 39.3.
    auto drop = [&](int i) { return static_cast<Vertex*>(rain.drops->at(i)); };
    drop(0)->set(1, 0.3f);
    drop(1)->set(1, 39.9f);
    rain.start();
    rain.fall();
    EXPECT_EQ(drop(0)->get(1), 40.0f);
    EXPECT_NEAR(drop(1)->get(1), 39.3f, 1e-5);
    // Stopped, the drops keep their heights and fall on from there.
    const std::vector<float> stopped = heights(rain);
    rain.stop();
    rain.fall();
    EXPECT_EQ(heights(rain), stopped);
    rain.start();
    rain.fall();
    EXPECT_NEAR(drop(1)->get(1), 38.7f, 1e-5);
}

static Butterfly::Pose poseAt(float pathTime, float pathScale) {
    Butterfly b(50, 50, tint);
    b.pathTime = pathTime, b.pathScale = pathScale;
    return b.pose();
}

TEST(Butterfly, FliesItsPathHeadingAlongThePairUsedCrosswiseAndAPathOfSizeZeroHoversAtTheCentre) {
    // t = 0, R = 10: the body at (52.5, 20, 40); the heading pair Dx = 2.5, Dz = 10.
    const Butterfly::Pose p = poseAt(0, 10);
    EXPECT_EQ((std::vector<double>{p.x, p.y, p.z, p.u, p.w}),
              (std::vector<double>{52.5, 20, 40, 10 / std::sqrt(106.25), 2.5 / std::sqrt(106.25)}));
    // Without a heading of its own, the heading of a tiny path.
    for (float t : {0.0f, 1.3f, 2.0f, -0.7f}) {
        const Butterfly::Pose zero = poseAt(t, 0), tiny = poseAt(t, 0.05f);
        EXPECT_EQ(std::make_pair(zero.x, zero.z), std::make_pair(50.0, 50.0));
        EXPECT_TRUE(std::abs(zero.u - tiny.u) < 1e-9 && std::abs(zero.w - tiny.w) < 1e-9) << t;
    }
}

TEST(Butterfly, WingsBeatBetweenTheirLimits) {
    Butterfly b(50, 50, tint);
    b.pathTime = 0, b.wingAngle = 1.25f, b.wingStep = 1;
    b.step();
    EXPECT_EQ(std::make_pair(b.wingAngle, b.wingStep), std::make_pair(1.375f, -1.0f));
    b.step();
    EXPECT_EQ(b.wingAngle, 1.25f);
    EXPECT_NEAR(b.pathTime, 0.01f, 1e-7);
    float lowest = 0, highest = 0;
    for (int i = 0; i < 200; ++i, b.step())
        lowest = std::fmin(lowest, b.wingAngle), highest = std::fmax(highest, b.wingAngle);
    EXPECT_EQ(std::make_pair(lowest, highest), std::make_pair(-1.375f, 1.375f));
}

TEST(Butterfly, EachPictureTakesAQuarterOfTheRandomValues) {
    // The same draws seen raw and through randomUnit: 0-249 choose picture 1, 250-499 picture 2, ...
    std::srand(17);
    std::vector<int> raw(20000);
    for (int& r : raw) r = std::rand() % 1000;
    std::srand(17);
    for (int r : raw) ASSERT_EQ(butterflyPicture(randomUnit()), 1 + r / 250) << r;
}
