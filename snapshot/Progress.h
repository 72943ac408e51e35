// A progress bar on standard error while it is a terminal; nothing at all when it is not, so that
// logs and pipes get no control characters.
#pragma once

#include <chrono>
#include <string>

class Progress {
public:
    // Counts steps of the named kind ("ticks", "frames") up to total.
    Progress(const char* steps, long total);
    // Shows that done steps are done; redraws at most ten times a second, and always for the last.
    void show(long done);
    // Ends the bar's line, when one was drawn.
    ~Progress();

private:
    std::string steps_;
    long total_;
    bool shown_;
    bool drawn_ = false;
    std::chrono::steady_clock::time_point last_;
};
