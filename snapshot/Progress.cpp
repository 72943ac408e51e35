// A progress bar on standard error while it is a terminal.
#include "snapshot/Progress.h"

#include <unistd.h>

#include <cstdio>

namespace {

constexpr int BAR_WIDTH = 40;
constexpr auto REDRAW_INTERVAL = std::chrono::milliseconds(100);

}  // namespace

Progress::Progress(const char* steps, long total)
    : steps_(steps), total_(total), shown_(isatty(STDERR_FILENO) == 1 && total > 0) {}

void Progress::show(long done) {
    if (!shown_) return;
    const auto now = std::chrono::steady_clock::now();
    if (drawn_ && done < total_ && now - last_ < REDRAW_INTERVAL) return;
    last_ = now;
    drawn_ = true;
    const int filled = static_cast<int>(done * BAR_WIDTH / total_);
    // Back to the line's start: each bar overwrites the one before.
    std::fprintf(stderr, "\r%s [%s%s] %ld/%ld", steps_.c_str(), std::string(filled, '#').c_str(),
                 std::string(BAR_WIDTH - filled, '.').c_str(), done, total_);
    std::fflush(stderr);
}

Progress::~Progress() {
    if (drawn_) std::fputc('\n', stderr);
}
