// The juniper: the recorded bush and wind registration of fixed seeds.
#include "tests/support/Digest.h"
#include "vegetation/Juniper.h"

#include <gtest/gtest.h>

// Recorded after every displacement draw of both roughening passes was replayed (z, y, x, a third of
// the smallest extent halved each pass), the 91 quads were found split into 364 with 364 + 91 * 12
// displaceable corners, the bush was found within its position, size and roughening reach, nothing
// was left marked, each of its 1183 distinct corners joined wind group 1 with the weight of its
// height, depth and width, and the same seed grew the same bush.
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
        d.addWindRegistration(&juniper);
        EXPECT_EQ(d.text(), digest) << "seed " << seed;
    }
}
