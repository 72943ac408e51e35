// The sky as built: dome, sun, stars and the start of the day.
#include "core/Mesh.h"
#include "core/Random.h"
#include "world/Sky.h"

#include "tests/support/Digest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

int count(Cursor* cursor) {
    int n = 0;
    for (; cursor->hasNext(); cursor->next()) ++n;
    return n;
}

TEST(Sky, BuildsTheDomeTheSunAndAThousandStarsAroundTheCentre) {
    std::srand(12);
    Sky sky(50, 40);
    EXPECT_EQ(count(sky.dome->rewind()), 32);
    EXPECT_TRUE(static_cast<Mesh*>(sky.dome->meshes->first->payload)->textured);
    EXPECT_EQ(count(sky.sun->rewind()), 16);
    EXPECT_FALSE(static_cast<Mesh*>(sky.sun->meshes->first->payload)->textured);
    ASSERT_EQ(sky.stars->count(), Sky::STAR_COUNT);
    int below = 0;
    for (ListNode* node = sky.stars->first; node != nullptr; node = node->next) {
        Vertex* star = static_cast<Vertex*>(node->payload);
        EXPECT_NEAR(std::hypot(star->get(0) - 50, star->get(1), star->get(2) - 40), 99, 1e-3);
        EXPECT_GE(star->tag, 0.0f);
        EXPECT_LE(star->tag, 0.999f + 1e-6f);
        below += star->get(1) < 0;
    }
    // Stars cover the whole sphere, below the horizon too.
    EXPECT_GT(below, 300);
    EXPECT_NE(sky.skyImage, nullptr);
}

TEST(Sky, DrawsItsNumbersInTheOrderPolarAzimuthBrightness) {
    std::srand(13);
    Sky sky(50, 50);
    std::srand(13);
    const double theta = (randomUnit() + 1) * 0.5 * 3.141528;
    const double phi = (randomUnit() + 1) * 3.141528;
    const float brightness = static_cast<float>(randomUnit() * 0.5 + 0.5);
    Vertex* first = static_cast<Vertex*>(sky.stars->first->payload);
    EXPECT_NEAR(first->get(0), 50 + 99 * std::sin(phi) * std::sin(theta), 1e-4);
    EXPECT_NEAR(first->get(1), 99 * std::cos(theta), 1e-4);
    EXPECT_NEAR(first->get(2), 50 - 99 * std::cos(phi) * std::sin(theta), 1e-4);
    EXPECT_EQ(first->tag, brightness);
}

TEST(Sky, StartsAtSunriseAndStepsThroughTheDay) {
    std::srand(14);
    Sky sky(50, 50);
    EXPECT_EQ(sky.sunAngle, 0.0f);
    EXPECT_EQ(sky.lightColour[0], 1.0f);
    EXPECT_EQ(sky.lightColour[1], 0.0f);
    EXPECT_EQ(sky.sunPosition[0], 50.0f);
    EXPECT_EQ(sky.sunPosition[2], 50.0f);
    EXPECT_EQ(sky.daylight(), sky.lightColour);
    sky.advance();
    sky.advance();
    EXPECT_FLOAT_EQ(sky.sunAngle, 0.004f);
    sky.setNoon();
    EXPECT_EQ(sky.sunAngle, 1.5707639f);
    sky.setMidnight();
    EXPECT_EQ(sky.sunAngle, 4.712292f);
}

// Recorded after the first star was checked against its three draws (polar angle, azimuth,
// brightness), every star's distance and brightness range, and the dome's and sun's strips.
TEST(SkyDigest, PlacesTheStarsDomeAndSunOfItsSeed) {
    const std::pair<unsigned, const char*> recorded[] = {{1, "48 meshes 5768 vertices 16b9847bd842b79f"}, {2, "48 meshes 5768 vertices 6a0051583a3349bc"}};
    for (const auto& [seed, digest] : recorded) {
        std::srand(seed);
        Sky sky(50, 40);
        Digest d;
        d.addVertices(sky.stars);
        d.addMeshes(sky.dome->meshes);
        d.addMeshes(sky.sun->meshes);
        d.addNextRandom();
        EXPECT_EQ(d.text(), digest) << "seed " << seed;
    }
}

}  // namespace
