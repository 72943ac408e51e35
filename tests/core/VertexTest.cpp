// Vertices, the random-number function and min3.
#include "core/Random.h"
#include "core/Vertex.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <set>
#include <string>

namespace {

Vertex* point(float x, float y, float z) { return new Vertex(makePoint(x, y, z)); }

std::string printed(Vertex& v) {
    testing::internal::CaptureStdout();
    v.print();
    return testing::internal::GetCapturedStdout();
}

TEST(VertexEquality, IdentityAndSharedStorageAreEqualWithoutCopyingAttributes) {
    Vertex* a = point(1, 2, 3);
    a->tag = 4;
    a->swayWeight = 5;
    Vertex sharing(a->components);
    sharing.tag = 7;
    sharing.swayWeight = 8;
    EXPECT_TRUE(a->equals(a));
    EXPECT_TRUE(a->equals(&sharing));
    EXPECT_EQ(a->tag, 4);
    EXPECT_EQ(a->swayWeight, 5);
}

TEST(VertexEquality, EqualValuesCopyTheArgumentsAttributesIntoTheReceiver) {
    Vertex* receiver = point(1, 2, 3);
    Vertex* argument = point(1, 2, 3);
    argument->tag = 6;
    argument->swayWeight = 0.5f;
    EXPECT_TRUE(receiver->equals(argument));
    EXPECT_EQ(receiver->tag, 6);
    EXPECT_EQ(receiver->swayWeight, 0.5f);
    EXPECT_EQ(argument->tag, 6);

    Vertex* different = point(1, 2, 4);
    different->tag = 9;
    EXPECT_FALSE(receiver->equals(different));
    EXPECT_EQ(receiver->tag, 6);
}

TEST(VertexEquality, DimensionsAndNaNAndForeignObjectsNeverMatch) {
    float flat[3] = {1, 2, 0};
    Vertex two(2, flat);
    Vertex* three = point(1, 2, 0);
    EXPECT_FALSE(three->equals(&two));
    EXPECT_EQ(three->countDifferences(&two), -1);

    Vertex* nan = point(NAN, 0, 0);
    Vertex* nan2 = point(NAN, 0, 0);
    EXPECT_FALSE(nan->equals(nan2));
    EXPECT_EQ(nan->countDifferences(nan2), 1);

    Object plain;
    EXPECT_FALSE(three->equals(&plain));
}

TEST(VertexEquality, CountDifferencesCountsPositions) {
    EXPECT_EQ(point(1, 2, 3)->countDifferences(point(1, 5, 3)), 1);
    EXPECT_EQ(point(1, 2, 3)->countDifferences(point(0, 5, 4)), 3);
    EXPECT_EQ(point(1, 2, 3)->countDifferences(point(1, 2, 3)), 0);
}

TEST(VertexMarks, MarkLivesInTheSlotAfterTheCoordinates) {
    Vertex* v = point(1, 2, 3);
    EXPECT_FALSE(v->isMarked());
    v->mark();
    EXPECT_TRUE(v->isMarked());
    EXPECT_EQ(v->components[3], 1.0f);
    v->unmark();
    EXPECT_FALSE(v->isMarked());

    float flat[3] = {1, 2, 0};
    Vertex two(2, flat);
    two.mark();
    EXPECT_EQ(flat[2], 1.0f);
    EXPECT_EQ(flat[1], 2.0f);
}

TEST(VertexPrint, FormatsThreeRightAlignedNumbersAndTheMark) {
    Vertex* v = point(1.5f, -20.25f, 300);
    EXPECT_EQ(printed(*v), "[     1.50 :   -20.25 :   300.00 ] unchecked");
    v->mark();
    EXPECT_EQ(printed(*v), "[     1.50 :   -20.25 :   300.00 ] checked");
    float flat[3] = {1, 2, 0};
    Vertex two(2, flat);
    two.mark();
    EXPECT_EQ(printed(two), "[     1.00 :     2.00 :     1.00 ] checked");
}

TEST(VertexClone, CopiesCoordinatesOnlyIntoNewStorage) {
    Vertex* v = point(1, 2, 3);
    v->mark();
    v->tag = 3;
    v->swayWeight = 2;
    Vertex* copy = v->clone();
    EXPECT_NE(copy->components, v->components);
    EXPECT_EQ(copy->dimension(), 3);
    EXPECT_EQ(copy->countDifferences(v), 0);
    EXPECT_FALSE(copy->isMarked());
    EXPECT_EQ(copy->tag, 0);
    EXPECT_EQ(copy->swayWeight, 0);
    copy->set(0, 9);
    EXPECT_EQ(v->get(0), 1);
}

TEST(RandomUnit, YieldsTheThousandStepsFromMinusOneBelowOne) {
    std::srand(1234);
    std::set<long> seen;
    for (int i = 0; i < 200000; ++i) {
        double r = randomUnit();
        ASSERT_GE(r, -1.0);
        ASSERT_LE(r, 0.998 + 1e-12);
        double steps = (r + 1.0) / 0.002;
        ASSERT_NEAR(steps, std::round(steps), 1e-9);
        seen.insert(std::lround(steps));
    }
    EXPECT_EQ(seen.size(), 1000u);
    EXPECT_EQ(*seen.begin(), 0);
    EXPECT_EQ(*seen.rbegin(), 999);
}

TEST(RandomUnit, FollowsTheSeedOfTheCLibrary) {
    std::srand(42);
    double first[5];
    for (double& r : first) r = randomUnit();
    std::srand(42);
    for (double r : first) EXPECT_EQ(randomUnit(), r);
}

TEST(CountBelow, CountsTheWholeNumbersFromZeroBelowAFloat) {
    // Among them the extremes of the tree's 5u + 4 leaves and 5u + 3 side branches.
    const std::pair<float, int> table[] = {{-2, 0}, {0, 0}, {1e-7f, 1}, {0.5f, 1}, {1, 1}, {1.0001f, 2}, {7.99f, 8}, {8.99f, 9}};
    for (auto [n, count] : table) EXPECT_EQ(countBelow(n), count) << n;
}

TEST(Min3, TakesTheSmallest) {
    EXPECT_EQ(min3(2, 1, 1), 1);
    EXPECT_EQ(min3(3, 4, 5), 3);
    EXPECT_EQ(min3(5, 4, 3), 3);
    EXPECT_EQ(min3(4, 3, 5), 3);
    EXPECT_EQ(min3(-1, -1, -1), -1);
}

}  // namespace
