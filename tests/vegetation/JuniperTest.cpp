// The juniper: its roughened ellipsoid of quads, its console text and its registration with the wind.
#include "core/Mesh.h"
#include "vegetation/Juniper.h"
#include "world/Wind.h"

#include "tests/support/Digest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <set>

namespace {

float tint[3];

Juniper* grow(unsigned seed, std::string* console = nullptr) {
    std::srand(seed);
    testing::internal::CaptureStdout();
    Juniper* juniper = new Juniper(makePoint(40, 3, 60), makePoint(5, 25, 5), tint);
    std::string out = testing::internal::GetCapturedStdout();
    if (console != nullptr) *console = out;
    return juniper;
}

template <typename Visit>
void forEachCorner(Juniper& juniper, Visit visit) {
    for (ListNode* face = juniper.faces->first; face != nullptr; face = face->next)
        for (ListNode* corner = static_cast<Mesh*>(face->payload)->vertices->first; corner != nullptr;
             corner = corner->next)
            visit(static_cast<Vertex*>(corner->payload));
}

TEST(Juniper, NinetyOneQuadsSplitOnceByRoughening) {
    std::string console;
    Juniper* juniper = grow(1, &console);
    EXPECT_EQ(console, "generuji jalovec [hotovo]\n");
    EXPECT_EQ(juniper->faces->count(), 364);
    for (ListNode* face = juniper->faces->first; face != nullptr; face = face->next) {
        Mesh* quad = static_cast<Mesh*>(face->payload);
        EXPECT_TRUE(quad->autoMode);
        EXPECT_EQ(quad->vertexCount(), 4);
    }
    // 364 clones of the original corners, and twelve more for each of the 91 split quads.
    EXPECT_EQ(juniper->vertices->count(), 364 + 91 * 12);
    EXPECT_EQ(juniper->tint, tint);
    EXPECT_NE(juniper->texture, nullptr);
    EXPECT_EQ(juniper->position[0], 40);
    EXPECT_EQ(juniper->size[1], 25);
}

TEST(Juniper, LeavesNothingMarkedSoTheWindTakesEveryCorner) {
    Juniper* juniper = grow(2);
    for (ListNode* node = juniper->vertices->members->first; node != nullptr; node = node->next)
        ASSERT_FALSE(static_cast<Vertex*>(node->payload)->isMarked());
    std::set<Vertex*> distinct;
    forEachCorner(*juniper, [&](Vertex* v) {
        EXPECT_FALSE(v->isMarked());
        distinct.insert(v);
    });
    // Children of one quad share its centre; every other corner is a vertex of its own.
    EXPECT_EQ(distinct.size(), 364u * 4 - 91 * 3);
    Wind wind;
    juniper->attachToWind(&wind);
    EXPECT_EQ(wind.groups[1].count(), static_cast<int>(distinct.size()));
}

TEST(Juniper, StandsOnItsPositionWithinTheRougheningAmplitudes) {
    // Unroughened, the bush spans x and z within half its width and y from its base to its height;
    // the two passes may push any coordinate by less than 1.65 + 0.825.
    const float reach = 1.65f + 0.825f;
    float lowest = 1e9f, highest = -1e9f, widest = 0;
    float largestPush = 0;
    for (unsigned seed : {3u, 4u, 5u}) {
        Juniper* juniper = grow(seed);
        forEachCorner(*juniper, [&](Vertex* v) {
            const float dx = v->get(0) - 40, dz = v->get(2) - 60;
            EXPECT_LT(std::fabs(dx), 2.5f + reach);
            EXPECT_LT(std::fabs(dz), 2.5f + reach);
            lowest = std::fmin(lowest, v->get(1));
            highest = std::fmax(highest, v->get(1));
            widest = std::fmax(widest, std::fabs(dx));
            // Horizontal distance beyond the unroughened ellipsoid at this height.
            const double h = (v->get(1) - 3) / 12.5 - 1;
            const double ring = 2.5 * std::sqrt(std::fmax(0.0, 1 - h * h));
            largestPush = std::fmax(largestPush, static_cast<float>(std::hypot(dx, dz) - ring));
        });
        delete juniper;
    }
    EXPECT_GT(lowest, 3 - reach);
    EXPECT_LT(lowest, 3 + reach);
    EXPECT_LT(highest, 28 + reach);
    EXPECT_GT(highest, 26);
    // The roughening is real: somewhere a corner stands well outside the smooth ellipsoid.
    EXPECT_GT(largestPush, 1.0f);
    EXPECT_GT(widest, 2.5f);
}

TEST(Juniper, TheSameSeedGrowsTheSameBush) {
    Juniper* one = grow(21);
    Juniper* two = grow(21);
    std::vector<Vertex*> a, b;
    forEachCorner(*one, [&](Vertex* v) { a.push_back(v); });
    forEachCorner(*two, [&](Vertex* v) { b.push_back(v); });
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) ASSERT_EQ(a[i]->countDifferences(b[i]), 0) << i;
}

// Recorded after every displacement draw was replayed, the quads and corners after roughening were
// counted, the bush's bounds were checked and every distinct corner was found in wind group 1.
TEST(JuniperDigest, GrowsTheFacesAndSwayOfItsSeed) {
    const std::pair<unsigned, const char*> recorded[] = {{1, "364 meshes 2639 vertices c407aafec4df5ab0"}, {2, "364 meshes 2639 vertices 2d86e75a3d1d59c2"}, {3, "364 meshes 2639 vertices 54c751ff0baa9511"}};
    for (const auto& [seed, digest] : recorded) {
        Juniper* juniper = grow(seed);
        Digest d;
        d.addMeshes(juniper->faces);
        d.addNextRandom();
        d.addWindRegistration(juniper);
        EXPECT_EQ(d.text(), digest) << "seed " << seed;
    }
}

}  // namespace
