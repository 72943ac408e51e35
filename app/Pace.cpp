// A steady pace on any screen: ticks due for the real time that has passed.
#include "app/Pace.h"

#include <algorithm>
#include <cmath>

int Pace::ticksDue(double seconds) {
    if (!started_) {
        started_ = true;
        start_ = seconds;
        return 0;
    }
    const long long due = static_cast<long long>(std::floor((seconds - start_) * ticksPerSecond_)) - counted_;
    const int ticks = static_cast<int>(std::clamp<long long>(due, 0, MAX_TICKS_PER_FRAME));
    // Beyond the limit the ticks are given up, not owed.
    counted_ += std::max<long long>(due, ticks);
    return ticks;
}
