// The wind field: its exact displacement, its switches and its strength changes.
#include "core/Random.h"
#include "tests/support/WindReference.h"
#include "world/WaveKernel.h"
#include "world/Wind.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

// A wind with real level factors and plant-like vertices spread over every level.
class WindTest : public testing::Test {
protected:
    void SetUp() override {
        std::srand(99);
        wind.chooseLevelFactors();
        for (int n = 0; n < vertexCount; ++n)
            registerVertex({static_cast<float>(50 + 20 * randomUnit()), static_cast<float>(10 + 10 * randomUnit()),
                            static_cast<float>(50 + 20 * randomUnit()), static_cast<float>(randomUnit() + 1), n % 10});
    }

    // A real vertex in the wind and its twin for the formula.
    void registerVertex(const ReferenceVertex& r) {
        Vertex* v = new Vertex(makePoint(r.x, r.y, r.z));
        v->swayWeight = r.swayWeight;
        wind.groups[r.level].add(v);
        vertices.push_back(v);
        expected.push_back(r);
        rest.push_back(r);
    }

    // One real step and the same step by the formula.
    void tick() {
        const int applied = wind.appliedStrength, target = wind.targetStrength;
        const bool moves = wind.active || applied != target;
        const double time = wind.time();
        wind.animate();
        if (moves) referenceWindStep(expected, wind.levelFactors, applied, target, time);
    }

    void expectPositions(const std::vector<ReferenceVertex>& want, float tolerance) {
        for (size_t i = 0; i < vertices.size(); ++i) {
            ASSERT_NEAR(vertices[i]->get(0), want[i].x, tolerance) << "vertex " << i;
            ASSERT_NEAR(vertices[i]->get(1), want[i].y, tolerance) << "vertex " << i;
            ASSERT_NEAR(vertices[i]->get(2), want[i].z, tolerance) << "vertex " << i;
        }
    }

    float largestOffsetFromRest() const {
        float largest = 0;
        for (size_t i = 0; i < vertices.size(); ++i)
            largest = std::fmax(largest, std::fabs(vertices[i]->get(0) - rest[i].x));
        return largest;
    }

    // Where the formula puts a vertex that has swayed at the strength since it stood at rest: rest
    // plus strength * 0.2 * k times the waves of the last step's time.
    void expectAtFormula(int strength, double tolerance) {
        const double t = wind.time() - 0.1, s = static_cast<float>(strength * 0.2);
        for (size_t i = 0; i < vertices.size(); ++i) {
            const double k = wind.levelFactors[rest[i].level], f = rest[i].swayWeight + 1.0;
            ASSERT_NEAR(vertices[i]->get(0), rest[i].x + s * k * std::sin(f * t), tolerance) << i;
            ASSERT_NEAR(vertices[i]->get(1), rest[i].y + s * k * std::cos(1.3 * f * t), tolerance) << i;
            ASSERT_NEAR(vertices[i]->get(2), rest[i].z + s * k * std::sin(0.9 * f * t), tolerance) << i;
        }
    }

    int vertexCount = 600;
    Wind wind;
    std::vector<Vertex*> vertices;
    std::vector<ReferenceVertex> expected, rest;
};

// Four ulps of a coordinate near 70: what separate float roundings of the same formula may differ by.
constexpr float ROUNDING = 4 * 7.7e-6f;

TEST_F(WindTest, StartsOffAndFrozenAlthoughEveryStrengthIsFive) {
    EXPECT_FALSE(wind.active);
    EXPECT_EQ(wind.appliedStrength, 5);
    EXPECT_EQ(wind.targetStrength, 5);
    EXPECT_EQ(wind.restStrength, 5);
    for (int i = 0; i < 5; ++i) wind.animate();
    EXPECT_EQ(wind.ticks, 0);
    expectPositions(rest, 0);
}

TEST_F(WindTest, SwaysEveryVertexExactlyByTheFormula) {
    wind.switchOn();
    EXPECT_EQ(wind.appliedStrength, 0);
    EXPECT_EQ(wind.targetStrength, 5);
    for (int i = 0; i < 300; ++i) tick();
    expectPositions(expected, ROUNDING);
    EXPECT_GT(largestOffsetFromRest(), 0.05f);
    EXPECT_EQ(wind.ticks, 300);
}

TEST_F(WindTest, FollowsTheFormulaLateInALongRun) {
    wind.ticks = 500000;
    wind.switchOn();
    for (int i = 0; i < 20; ++i) tick();
    expectPositions(expected, ROUNDING);
}

TEST_F(WindTest, VerticesJoiningWhileTheWindBlowsAreSwayedToo) {
    wind.switchOn();
    for (int i = 0; i < 4; ++i) tick();
    // Registered after switching on: the step must not rely on what it knew of the groups before.
    for (int n = 0; n < 300; ++n) registerVertex({static_cast<float>(n), 5, 7, 0.5f, 1 + n % 9});
    for (int i = 0; i < 6; ++i) tick();
    expectPositions(expected, ROUNDING);
    wind.switchOff();
    wind.switchOn();
    for (int i = 0; i < 6; ++i) tick();
    expectPositions(expected, ROUNDING);
}

TEST_F(WindTest, LevelZeroNeverMovesAndWeightZeroSwaysWithFrequencyOne) {
    Vertex* still = new Vertex(makePoint(1, 2, 3));
    still->swayWeight = 0.7f;
    wind.groups[0].add(still);
    Vertex* plain = new Vertex(makePoint(0, 0, 0));
    wind.groups[9].add(plain);
    wind.switchOn();
    wind.animate();
    wind.animate();
    EXPECT_EQ(still->get(0), 1);
    EXPECT_EQ(still->get(1), 2);
    EXPECT_EQ(still->get(2), 3);
    // Second step: t = 0.1, strength 5 applied and targeted, k = 0.2, f = 1.
    const double t = static_cast<float>(0.1), s = 5 * 0.2 * 0.2;
    EXPECT_NEAR(plain->get(0), s * std::sin(t), 1e-7);
    EXPECT_NEAR(plain->get(1), s * std::cos(1.3 * t), 1e-7);
    EXPECT_NEAR(plain->get(2), s * std::sin(0.9 * t), 1e-7);
}

TEST_F(WindTest, SwitchingOffReturnsToRestInOneTickAndStopsTime) {
    wind.switchOn();
    for (int i = 0; i < 37; ++i) tick();
    wind.switchOff();
    EXPECT_EQ(wind.targetStrength, 0);
    EXPECT_EQ(wind.restStrength, 5);
    tick();
    // Exactly back at rest: the steps never stored a rounded sum that a later one built on.
    expectPositions(rest, 0);
    const std::int64_t stopped = wind.ticks;
    for (int i = 0; i < 3; ++i) wind.animate();
    EXPECT_EQ(wind.ticks, stopped);
    expectPositions(expected, ROUNDING);
}

TEST_F(WindTest, SwitchingBackOnSwaysAtTheStrengthInEffectWhenSwitchedOff) {
    wind.switchOn();
    tick();
    wind.setStrength(8);
    tick();
    EXPECT_EQ(wind.appliedStrength, 8);
    wind.switchOff();
    tick();
    wind.switchOn();
    EXPECT_EQ(wind.appliedStrength, 0);
    EXPECT_EQ(wind.targetStrength, 8);
    for (int i = 0; i < 5; ++i) tick();
    expectPositions(expected, ROUNDING);
}

TEST_F(WindTest, AChangeOfStrengthTakesEffectInOneStep) {
    wind.switchOn();
    for (int i = 0; i < 10; ++i) tick();
    wind.setStrength(10);
    tick();
    // Now every vertex stands at rest + 10 * 0.2 * k * wave of the last step's time.
    const double t = wind.time() - 0.1;
    for (size_t i = 0; i < vertices.size(); ++i) {
        const double k = wind.levelFactors[rest[i].level], f = rest[i].swayWeight + 1.0;
        ASSERT_NEAR(vertices[i]->get(0), rest[i].x + 2.0 * k * std::sin(f * t), ROUNDING) << i;
        ASSERT_NEAR(vertices[i]->get(1), rest[i].y + 2.0 * k * std::cos(1.3 * f * t), ROUNDING) << i;
    }
}

TEST_F(WindTest, CommandsAreIgnoredWhereTheyDoNotApply) {
    wind.switchOn();
    wind.switchOn();
    EXPECT_EQ(wind.appliedStrength, 0);
    EXPECT_EQ(wind.targetStrength, 5);
    // A change from 0 to 5 is pending: a new strength must wait for the step.
    wind.setStrength(7);
    EXPECT_EQ(wind.targetStrength, 5);
    wind.animate();
    wind.switchOff();
    // Now a change from 5 to 0 is pending.
    wind.setStrength(7);
    EXPECT_EQ(wind.targetStrength, 0);
    wind.switchOff();
    EXPECT_EQ(wind.restStrength, 5);
    wind.animate();
    wind.setStrength(7);
    EXPECT_EQ(wind.targetStrength, 7);
}

TEST_F(WindTest, CommandsWaitWhileAStepRuns) {
    wind.busy = true;
    wind.switchOn();
    EXPECT_FALSE(wind.active);
    wind.setStrength(2);
    EXPECT_EQ(wind.targetStrength, 5);
    wind.busy = false;
    wind.switchOn();
    wind.animate();
    wind.busy = true;
    wind.switchOff();
    EXPECT_TRUE(wind.active);
    EXPECT_EQ(wind.targetStrength, 5);
}

// The bound the step keeps against the formula at the same time value: a float's rounding of a
// world coordinate (below 128) is at most 3.8e-6.
constexpr double ACCURACY = 1e-5;

// Few vertices, so that a long run stays quick.
class WindClock : public WindTest {
protected:
    void SetUp() override {
        vertexCount = 60;
        WindTest::SetUp();
    }

    // Mean distance a vertex moves per tick over 100 ticks from the clock's value; every tick must
    // move the vertices about as far as the first, so that none freezes or jerks.
    double movementFrom(std::int64_t clock) {
        wind.ticks = clock;
        wind.switchOn();
        wind.animate();
        double sum = 0, first = 0;
        for (int tick = 0; tick < 100; ++tick) {
            std::vector<float> before;
            for (Vertex* v : vertices) before.insert(before.end(), v->components, v->components + 3);
            wind.animate();
            double moved = 0;
            for (size_t i = 0; i < vertices.size(); ++i)
                moved += std::hypot(vertices[i]->get(0) - before[3 * i], vertices[i]->get(1) - before[3 * i + 1],
                                    vertices[i]->get(2) - before[3 * i + 2]);
            if (tick == 0) first = moved;
            EXPECT_NEAR(moved / first, 1.0, 0.5) << "tick " << tick << " from " << clock;
            sum += moved;
        }
        wind.switchOff();
        wind.animate();
        return sum / 100 / vertices.size();
    }
};

TEST_F(WindClock, StaysAtTheFormulaAfterAMillionTicks) {
    wind.switchOn();
    for (int i = 0; i < 1000000; ++i) wind.animate();
    expectAtFormula(5, ACCURACY);
}

TEST_F(WindClock, AWeekOfTicksAtSixtyASecondStillSwaysLikeTheFirstHours) {
    const double early = movementFrom(0);
    EXPECT_NEAR(movementFrom(7LL * 24 * 3600 * 60) / early, 1.0, 0.25);
    wind.switchOn();
    for (int i = 0; i < 5; ++i) wind.animate();
    expectAtFormula(5, ACCURACY);
}

TEST(WaveKernel, MatchesTheCLibraryOverEveryPhaseTheWindReaches) {
    std::vector<double> phases;
    for (double x = -20; x < 20; x += 0.0137) phases.push_back(x);
    for (double x = 1e3; x < 1e6; x *= 1.0173) phases.push_back(x);
    for (int quarter = -8; quarter <= 8; ++quarter) phases.push_back(quarter * 1.5707963267948966);
    std::vector<double> sines(phases.size()), cosines(phases.size());
    waveBatch(phases.data(), sines.data(), static_cast<int>(phases.size()), false);
    waveBatch(phases.data(), cosines.data(), static_cast<int>(phases.size()), true);
    for (size_t i = 0; i < phases.size(); ++i) {
        ASSERT_NEAR(sines[i], std::sin(phases[i]), 1e-13) << phases[i];
        ASSERT_NEAR(cosines[i], std::cos(phases[i]), 1e-13) << phases[i];
    }
}

}  // namespace
