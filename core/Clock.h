// The animation clocks: floats that grow by a small step every tick and are read only through sines
// and cosines.
#pragma once

#include <cmath>

// The true full turn, on which sine and cosine repeat.
constexpr double FULL_TURN = 6.283185307179586;

// One step of a clock that repeats after `period`. Below `limit` the result is the clock plus its
// step rounded to a float, exactly as a plain float clock gives it; from `limit` on, where a float's
// spacing would no longer resolve the step, whole periods are taken off first, which shows nothing.
inline float advanceClock(float value, double step, double limit, double period) {
    const double next = static_cast<double>(value) + step;
    return static_cast<float>(next < limit ? next : std::fmod(next, period));
}
