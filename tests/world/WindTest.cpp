// The wind field against its formula, and its switches and strength changes.
#include "tests/support/WindReference.h"
#include "world/Wind.h"

#include <gtest/gtest.h>

#include <cmath>

// Every level, level 0 too, which never moves.
class WindTest : public testing::Test, protected TwinnedWind {
protected:
    WindTest() : TwinnedWind(600, 0), rest(twins) {}
    // Real steps, each followed by the formula's wherever the wind moves anything.
    void tick(int steps = 1) {
        for (int i = 0; i < steps; ++i) {
            const int applied = wind.appliedStrength, target = wind.targetStrength;
            const bool moves = wind.active || applied != target;
            const float time = wind.time;
            wind.animate();
            if (moves) referenceWindStep(twins, wind.levelFactors, applied, target, time);
        }
    }
    // By default four ulps of a coordinate near 70: what separate roundings of one formula may differ by.
    void expectAt(const std::vector<ReferenceVertex>& want, float tolerance = 4 * 7.7e-6f) {
        for (size_t i = 0; i < vertices.size(); ++i) {
            const float at[3] = {want[i].x, want[i].y, want[i].z};
            for (int axis = 0; axis < 3; ++axis) ASSERT_NEAR(vertices[i]->get(axis), at[axis], tolerance) << i;
        }
    }

    const std::vector<ReferenceVertex> rest;
};

TEST_F(WindTest, SwaysEveryVertexByTheFormulaAlsoVerticesJoiningLateAndLateInALongRun) {
    tick(5);
    expectAt(rest, 0);
    EXPECT_EQ(wind.time, 0.0f) << "off and frozen at start";
    wind.switchOn();
    tick(300);
    expectAt(twins);
    // Joined while the wind blows: the step must not rely on what it knew of the groups before.
    for (int n = 0; n < 300; ++n) join({static_cast<float>(n), 5, 7, 0.5f, 1 + n % 9});
    tick(6);
    expectAt(twins);
    wind.switchOff();
    wind.switchOn();
    tick(6);
    expectAt(twins);
    wind.time = 50000.0f;
    tick(20);
    expectAt(twins);
}

TEST_F(WindTest, OffReturnsToRestInOneTickAndStopsTimeAndOnAgainSwaysAtTheStrengthLeft) {
    wind.switchOn();
    tick(36);
    wind.setStrength(8);
    tick();
    wind.switchOff();
    EXPECT_EQ(std::make_pair(wind.targetStrength, wind.restStrength), std::make_pair(0, 8));
    tick();
    expectAt(rest, 38 * 3.9e-6f);  // up to the rounding each of the 38 steps stored
    const float stopped = wind.time;
    tick(3);
    EXPECT_EQ(wind.time, stopped);
    wind.switchOn();
    EXPECT_EQ(std::make_pair(wind.appliedStrength, wind.targetStrength), std::make_pair(0, 8));
    tick(5);
    expectAt(twins);
}

TEST_F(WindTest, CommandsAreIgnoredWhereTheyDoNotApply) {
    EXPECT_EQ((std::vector<int>{wind.active, wind.appliedStrength, wind.targetStrength, wind.restStrength}),
              (std::vector<int>{false, 5, 5, 5}));
    wind.switchOn();
    wind.switchOn();  // starts nothing anew
    wind.setStrength(7);  // ignored while the change from 0 to 5 is pending
    EXPECT_EQ(std::make_pair(wind.appliedStrength, wind.targetStrength), std::make_pair(0, 5));
    wind.animate();
    wind.switchOff();
    wind.switchOff();  // remembers nothing new
    wind.setStrength(7);  // ignored while the change from 5 to 0 is pending
    EXPECT_EQ(std::make_pair(wind.targetStrength, wind.restStrength), std::make_pair(0, 5));
    wind.animate();
    wind.setStrength(7);
    EXPECT_EQ(wind.targetStrength, 7);
}
