// After a week of running at 60 ticks a second, every clock still moves its picture by its step.
#include "app/Camera.h"
#include "app/Overlay.h"
#include "app/Tick.h"
#include "core/List.h"
#include "tests/support/GLContext.h"
#include "tests/support/WorldFixture.h"
#include "world/Butterfly.h"
#include "world/Sky.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

namespace {

using Values = std::vector<double>;
using LongRunGL = GLTest;

TEST_F(LongRunGL, EveryClockStillMovesByItsStepAfterAWeek) {
    populateFromSeed(31);
    Butterfly* butterfly = static_cast<Butterfly*>(butterflies->at(0));
    butterfly->pathScale = 10;
    // Each clock by its step, what its picture shows and should show, and the fastest it moves.
    const struct {
        float* clock;
        double step;
        std::function<Values()> shown;
        std::function<Values(double)> expected;
        double reach;
    } clocks[] = {
        {&sky->sunAngle, 0.002f,
         [] { sky->applySunLight(); return Values{sky->sunPosition[0], sky->sunPosition[1]}; },
         [](double t) { return Values{std::cos(t) * 102 + 50, std::sin(t) * 80}; }, 102},
        {&butterfly->pathTime, 0.005, [=] { const auto p = butterfly->pose(); return Values{p.x, p.y, p.z}; },
         [](double t) {
             return Values{50 + 10 * std::sin(t) + 2.5 * std::cos(5 * t), 20 + 3 * std::sin(3 * t),
                           50 - 10 * std::cos(t) + 2.5 * std::sin(8 * t)};
         }, 30},
        {&flightTime, 0.01f, [] { followFlightPath(); return Values{eye[0], eye[1], eye[2]}; },
         [](double t) {
             return Values{std::sin(t) * 20 + 50, std::sin(t * 1.4) * 10 + 25, std::cos(t * 1.2) * 20 + 50};
         },
         24},
        {&overlay->logoPhase, 0.1,
         [] { return Values{recordFeedback([] { overlay->drawLogo(); })[0].colour[3]}; },
         [](double t) { return Values{std::sin(t) * 0.3 + 0.5}; }, 0.3},
    };
    for (const auto& c : clocks) {
        SCOPED_TRACE(&c - clocks);
        // An hour in, a clock is still exactly the plain float sum. Drawing the logo advances its clock.
        const float hour = static_cast<float>(60 * 3600 * c.step);
        *c.clock = hour;
        tick();
        c.shown();
        EXPECT_EQ(*c.clock, static_cast<float>(hour + c.step));

        const float week = static_cast<float>(60.0 * 604800 * c.step);
        *c.clock = week;
        for (int n = 0; n <= 60; ++n, tick()) {
            const Values shown = c.shown(), expected = c.expected(week + n * c.step);
            for (size_t i = 0; i < shown.size(); ++i)
                ASSERT_NEAR(shown[i], expected[i], 0.05 * c.step * c.reach) << "after " << n << " ticks";
        }
    }
}

}  // namespace
