// The wind field against its formula, its switches and strength changes, and its clock over a week.
#include "tests/support/WindReference.h"

#include <gtest/gtest.h>

// The bound the step keeps against the formula at the same time value: a float's rounding of a world
// coordinate (below 128) is at most 3.8e-6.
constexpr double ACCURACY = 1e-5;

// Every level, level 0 too, which never moves.
class WindTest : public testing::Test, protected TwinnedWind {
protected:
    explicit WindTest(int count = 600) : TwinnedWind(count, 0), rest(twins) {}
    // Real steps, each followed by the formula's wherever the wind moves anything.
    void tick(int steps = 1) {
        for (int i = 0; i < steps; ++i) {
            const int applied = wind.appliedStrength, target = wind.targetStrength;
            const bool moves = wind.active || applied != target;
            const double time = wind.time();
            wind.animate();
            if (moves) referenceWindStep(twins, wind.levelFactors, applied, target, time);
        }
    }
    void expectAt(const std::vector<ReferenceVertex>& want, double tolerance = ACCURACY) {
        for (size_t i = 0; i < vertices.size(); ++i) {
            const double at[3] = {want[i].x, want[i].y, want[i].z};
            for (int axis = 0; axis < 3; ++axis) ASSERT_NEAR(vertices[i]->get(axis), at[axis], tolerance) << i;
        }
    }

    const std::vector<ReferenceVertex> rest;
};

TEST_F(WindTest, SwaysEveryVertexByTheFormulaAlsoVerticesJoiningLateAndLateInALongRun) {
    tick(5);
    expectAt(rest, 0);
    EXPECT_EQ(wind.ticks, 0) << "off and frozen at start";
    wind.switchOn();
    tick(300);
    expectAt(twins);
    // Joined while the wind blows: the step must not rely on what it knew of the groups before.
    for (int n = 0; n < 300; ++n) join({static_cast<float>(30 + 0.1 * n), 5, 7, 0.5f, 1 + n % 9});
    tick(6);
    expectAt(twins);
    wind.switchOff();
    tick();
    wind.ticks = 500000;
    wind.switchOn();
    tick(20);
    expectAt(twins);
}

TEST_F(WindTest, OffReturnsExactlyToRestInOneTickAndStopsTimeAndOnAgainSwaysAtTheStrengthLeft) {
    wind.switchOn();
    tick(36);
    wind.setStrength(8);
    tick();
    wind.switchOff();
    EXPECT_EQ(std::make_pair(wind.targetStrength, wind.restStrength), std::make_pair(0, 8));
    tick();
    expectAt(rest, 0);
    const auto stopped = wind.ticks;
    tick(3);
    EXPECT_EQ(wind.ticks, stopped);
    wind.switchOn();
    EXPECT_EQ(std::make_pair(wind.appliedStrength, wind.targetStrength), std::make_pair(0, 8));
    tick(5);
    expectAt(twins);
}

TEST_F(WindTest, CommandsAreIgnoredWhereTheyDoNotApply) {
    auto state = [&] { return std::vector<int>{wind.active, wind.appliedStrength, wind.targetStrength, wind.restStrength}; };
    EXPECT_EQ(state(), (std::vector<int>{false, 5, 5, 5}));
    wind.switchOn();
    wind.switchOn();  // starts nothing anew
    wind.setStrength(7);  // ignored while the change from 0 to 5 is pending
    EXPECT_EQ(state(), (std::vector<int>{true, 0, 5, 5}));
    wind.animate();
    wind.switchOff();
    wind.switchOff();  // remembers nothing new
    wind.setStrength(7);  // ignored while the change from 5 to 0 is pending
    EXPECT_EQ(state(), (std::vector<int>{false, 5, 0, 5}));
    wind.animate();
    wind.setStrength(7);
    EXPECT_EQ(wind.targetStrength, 7);
}

// Few vertices, so that long runs stay quick.
class WindClock : public WindTest {
protected:
    WindClock() : WindTest(60) {}
    // Every vertex where the formula puts one that swayed at strength 5 since rest, once the clock has
    // made the given number of steps: rest plus 5 * 0.2 * k times the waves of the last step's time.
    void expectAfterSteps(std::int64_t steps) {
        const double t = (steps - 1) * 0.1;
        std::vector<ReferenceVertex> want = rest;
        for (ReferenceVertex& v : want) {
            const double k = wind.levelFactors[v.level], f = v.swayWeight + 1.0;
            v.x += k * std::sin(f * t), v.y += k * std::cos(1.3 * f * t), v.z += k * std::sin(0.9 * f * t);
        }
        expectAt(want);
    }
};

TEST_F(WindClock, StaysAtTheFormulaAfterAMillionTicksAndEachTickStillCountsAfterAWeek) {
    wind.switchOn();
    for (int i = 0; i < 1000000; ++i) wind.animate();
    expectAfterSteps(1000000);
    wind.switchOff();
    wind.animate();
    // A week on at 60 ticks a second, each step still moves the time on by exactly 0.1.
    const std::int64_t week = 7LL * 24 * 3600 * 60;
    wind.ticks = week;
    wind.switchOn();
    for (std::int64_t steps = week + 1; steps <= week + 60; ++steps) {
        wind.animate();
        expectAfterSteps(steps);
    }
}

TEST(WaveKernel, MatchesTheCLibraryOverEveryPhaseTheWindReaches) {
    std::vector<double> phases;
    for (double x = -20; x < 20; x += 0.0137) phases.push_back(x);
    for (double x = 1e3; x < 1e6; x *= 1.0173) phases.push_back(x);
    std::vector<double> sines(phases.size()), cosines(phases.size());
    waveBatch(phases.data(), sines.data(), static_cast<int>(phases.size()), false);
    waveBatch(phases.data(), cosines.data(), static_cast<int>(phases.size()), true);
    for (size_t i = 0; i < phases.size(); ++i) {
        ASSERT_NEAR(sines[i], std::sin(phases[i]), 1e-13) << phases[i];
        ASSERT_NEAR(cosines[i], std::cos(phases[i]), 1e-13) << phases[i];
    }
}
