// The juniper: the recorded bush and wind registration of fixed seeds.
#include "tests/support/Digest.h"
#include "vegetation/Juniper.h"

#include <gtest/gtest.h>

// Recorded after every displacement draw of both roughening passes was replayed (z, y, x, a third of
// the smallest extent halved each pass), the 364 quads and 1456 displaceable corners were counted,
// the bush's bounds were checked, and each of its 1183 distinct corners was found in wind group 1
// with the weight of its height, depth and width.
TEST(Juniper, GrowsTheRecordedBushAndWindRegistrationOfItsSeed) {
    for (const auto& [seed, digest] : {std::pair{1u, "364 meshes 2639 vertices c407aafec4df5ab0"},
                                       {2u, "364 meshes 2639 vertices 2d86e75a3d1d59c2"},
                                       {3u, "364 meshes 2639 vertices 54c751ff0baa9511"}}) {
        std::srand(seed);
        testing::internal::CaptureStdout();
        Juniper juniper(makePoint(40, 3, 60), makePoint(5, 25, 5), nullptr);
        testing::internal::GetCapturedStdout();
        Digest d;
        d.addMeshes(juniper.faces);
        d.addNextRandom();
        SwayGroups wind;  // every vertex the bush registers, with its group and weight: all that sways
        juniper.attachToWind(&wind);
        d.addGroups(wind);
        EXPECT_EQ(d.text(), digest) << "seed " << seed;
    }
}
