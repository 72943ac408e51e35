// A steady pace on any screen: how many ticks each frame runs so that the world advances a fixed
// number of ticks per second of real time, whatever the frame rate.
#pragma once

class Pace {
public:
    // A stalled machine (a dragged window, a suspended laptop) loses time instead of racing through
    // the ticks it missed; below ticksPerSecond / MAX_TICKS_PER_FRAME frames a second the world slows.
    static constexpr int MAX_TICKS_PER_FRAME = 4;

    explicit Pace(double ticksPerSecond) : ticksPerSecond_(ticksPerSecond) {}

    // The ticks due now, given in seconds on a clock that never goes back: as many as the time since
    // the first call calls for, less those already run, at most MAX_TICKS_PER_FRAME. The first call
    // starts the count and runs none.
    int ticksDue(double seconds);

private:
    double ticksPerSecond_;
    double start_ = 0;
    bool started_ = false;
    // Ticks run or given up since the start; counting from the start keeps rounding from piling up.
    long long counted_ = 0;
};
