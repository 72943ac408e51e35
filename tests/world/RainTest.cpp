// The rain's drops: where they start, how they fall, and that they wait while it is dry.
#include "core/List.h"
#include "world/Rain.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

float tint[3] = {1, 1, 1};

std::vector<float> heights(const Rain& rain) {
    std::vector<float> all;
    for (Vertex* drop : items<Vertex>(rain.drops)) all.push_back(drop->get(1));
    return all;
}

TEST(Rain, DropsFillTheColumnAndFallOnlyWhileItRains) {
    std::srand(3);
    Rain rain(50, 60, tint);
    ASSERT_EQ(rain.drops->count(), Rain::DROP_COUNT);
    for (Vertex* drop : items<Vertex>(rain.drops)) {
        ASSERT_GE(drop->get(0), 30);
        ASSERT_LE(drop->get(0), 69.96f);
        ASSERT_GE(drop->get(2), 40);
        ASSERT_LE(drop->get(2), 79.96f);
        ASSERT_GE(drop->get(1), 0);
        ASSERT_LE(drop->get(1), 39.96f);
    }
    const std::vector<float> start = heights(rain);
    rain.fall();
    EXPECT_EQ(heights(rain), start) << "dry at start";

    // A drop at 0.3 starts again at exactly 40, one at 39.9 falls to 39.3.
    static_cast<Vertex*>(rain.drops->at(0))->set(1, 0.3f);
    static_cast<Vertex*>(rain.drops->at(1))->set(1, 39.9f);
    rain.start();
    rain.fall();
    EXPECT_EQ(static_cast<Vertex*>(rain.drops->at(0))->get(1), 40.0f);
    EXPECT_NEAR(static_cast<Vertex*>(rain.drops->at(1))->get(1), 39.3f, 1e-5);

    // Stopped, the drops keep their heights and fall on from there.
    const std::vector<float> stopped = heights(rain);
    rain.stop();
    rain.fall();
    EXPECT_EQ(heights(rain), stopped);
    rain.start();
    rain.fall();
    EXPECT_NEAR(heights(rain)[1], 38.7f, 1e-5);
}

}  // namespace
