// The recorded terrain and sky of fixed seeds.
#include "tests/support/Digest.h"
#include "world/Sky.h"
#include "world/Terrain.h"

#include <gtest/gtest.h>

// Recorded after the four seed heights, the first refinement pass draw for draw (its centre from the
// new points beside it), the bounds of the heights over fifty seeds, the sixteen strips of 34
// vertices with the skirt pushed 90 units out and the same terrain from the same seed were checked.
TEST(Terrain, GrowsTheRecordedHeightsAndStripsOfItsSeed) {
    for (const auto& [seed, digest] : {std::pair{1u, "16 meshes 544 vertices 0ffb9ad3efba5832"},
                                       {2u, "16 meshes 544 vertices f2df6438e66318f9"},
                                       {3u, "16 meshes 544 vertices 37fba9d43c8afb21"}}) {
        std::srand(seed);
        testing::internal::CaptureStdout();
        Terrain terrain(50, 50, nullptr);
        testing::internal::GetCapturedStdout();
        Digest d;
        d.addMeshes(terrain.faces);
        for (int i = 0; i < terrain.gridSize(); ++i)
            for (int j = 0; j < terrain.gridSize(); ++j) d.add(terrain.heightAt(i, j));
        d.addNextRandom();
        EXPECT_EQ(d.text(), digest) << "seed " << seed;
    }
}

// Recorded after the first star was checked against its three draws (polar angle, then azimuth,
// then brightness), every star's distance of 99 and brightness from 0 to 0.999 with stars below the
// horizon too, and the dome's 32 textured strips and the sun's 16 untextured ones were checked.
TEST(Sky, PlacesTheRecordedStarsDomeAndSunOfItsSeed) {
    for (const auto& [seed, digest] : {std::pair{1u, "48 meshes 5768 vertices 16b9847bd842b79f"},
                                       {2u, "48 meshes 5768 vertices 6a0051583a3349bc"}}) {
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
