// Many worlds on one picture: each seed's world small, in a grid, labelled with its seed.
//
// The world is made of globals that live until the process ends, as the program has it, so every
// world is grown in a child process of its own: exactly as a single picture of that seed is made.
// The children draw into one shared mapping, each into its own place, and say what went wrong in
// a slot of their own beside it.
#include "snapshot/ContactSheet.h"

#include "app/Options.h"
#include "snapshot/Interruption.h"
#include "snapshot/StatusFont.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <sstream>
#include <thread>

namespace {

constexpr int GAP = 8;
// Room for the status font's 24 pixels and its descenders under the picture.
constexpr int LABEL_HEIGHT = 32;
constexpr int LABEL_BASELINE = 23;
constexpr size_t MESSAGE_SIZE = 256;
const unsigned char BACKGROUND[3] = {24, 24, 24};
const unsigned char INK[3] = {235, 235, 235};

// Every 2 x 2 square of the picture (bottom row first) as one pixel of the sheet (top row first).
void placeHalved(const std::vector<unsigned char>& picture, const SheetLayout& layout, int index,
                 unsigned char* sheet) {
    const int w = layout.pictureWidth, h = layout.pictureHeight;
    const size_t sourceRow = static_cast<size_t>(2 * w) * 3;
    for (int y = 0; y < h; ++y) {
        const unsigned char* upper = &picture[(2 * h - 1 - 2 * y) * sourceRow];
        const unsigned char* lower = upper - sourceRow;
        unsigned char* target =
            sheet + (static_cast<size_t>(layout.top(index) + y) * layout.width + layout.left(index)) * 3;
        for (int x = 0; x < w * 3; ++x) {
            const int first = (x / 3) * 6 + x % 3;
            const int sum = upper[first] + upper[first + 3] + lower[first] + lower[first + 3];
            target[x] = static_cast<unsigned char>((sum + 2) / 4);
        }
    }
}

}  // namespace

bool readSeedList(const std::string& text, std::vector<unsigned>& seeds, std::string& error) {
    std::istringstream items(text);
    for (std::string item; std::getline(items, item, ',');) {
        const size_t dash = item.find('-');
        unsigned long long first = 0, last = 0;
        const bool ok = dash == std::string::npos
                            ? readNumber(item.c_str(), 0, 4294967295u, first) && (last = first, true)
                            : readNumber(item.substr(0, dash).c_str(), 0, 4294967295u, first) &&
                                  readNumber(item.substr(dash + 1).c_str(), first, 4294967295u, last);
        if (!ok) {
            error = "--sheet takes seeds such as 1-16 or 3,7,42 (a range from low to high), not '" + text + "'";
            return false;
        }
        if (last - first >= static_cast<unsigned long long>(MAX_SHEET_SEEDS) - seeds.size()) {
            error = "--sheet takes at most " + std::to_string(MAX_SHEET_SEEDS) + " seeds";
            return false;
        }
        for (unsigned long long seed = first; seed <= last; ++seed) seeds.push_back(static_cast<unsigned>(seed));
    }
    if (text.empty() || text.back() == ',') {
        error = "--sheet needs seeds, such as 1-16 or 3,7,42";
        return false;
    }
    return true;
}

SheetLayout::SheetLayout(int count, int pictureWidth, int pictureHeight)
    : columns(static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count))))),
      rows((count + columns - 1) / columns),
      pictureWidth(pictureWidth),
      pictureHeight(pictureHeight),
      width(columns * (pictureWidth + GAP) + GAP),
      height(rows * (pictureHeight + LABEL_HEIGHT + GAP) + GAP) {}

int SheetLayout::left(int index) const { return GAP + (index % columns) * (pictureWidth + GAP); }

int SheetLayout::top(int index) const { return GAP + (index / columns) * (pictureHeight + LABEL_HEIGHT + GAP); }

bool drawContactSheet(const std::vector<unsigned>& seeds, const SheetLayout& layout, const WorldPicture& draw,
                      const std::function<void(int done)>& progress, std::vector<unsigned char>& sheet,
                      std::string& error) {
    const size_t bytes = static_cast<size_t>(layout.width) * layout.height * 3;
    void* mapping = mmap(nullptr, bytes + seeds.size() * MESSAGE_SIZE, PROT_READ | PROT_WRITE,
                         MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (mapping == MAP_FAILED) {
        error = std::string("no memory for the sheet: ") + std::strerror(errno);
        return false;
    }
    unsigned char* pixels = static_cast<unsigned char*>(mapping);
    char* messages = static_cast<char*>(mapping) + bytes;
    for (size_t i = 0; i < bytes; ++i) pixels[i] = BACKGROUND[i % 3];

    // Each world's drawing keeps the GL renderer's threads busy too, but growing a world does not.
    const size_t atOnce = std::max(1u, std::thread::hardware_concurrency());
    std::map<pid_t, size_t> running;
    size_t next = 0;
    int done = 0;
    std::fflush(nullptr);
    while (next < seeds.size() || !running.empty()) {
        if (interruption() != 0 && error.empty()) error = "interrupted";
        if (!error.empty())
            for (const auto& [pid, unused] : running) kill(pid, SIGTERM);
        if (error.empty() && next < seeds.size() && running.size() < atOnce) {
            const size_t index = next++;
            const pid_t child = fork();
            if (child == 0) {
                // The growth's console text of many worlds at once would only be a jumble.
                const int quiet = open("/dev/null", O_WRONLY);
                dup2(quiet, STDOUT_FILENO);
                signal(SIGINT, SIG_DFL);
                signal(SIGTERM, SIG_DFL);
                std::vector<unsigned char> picture;
                std::string problem;
                if (!draw(seeds[index], 2 * layout.pictureWidth, 2 * layout.pictureHeight, picture, problem)) {
                    std::snprintf(messages + index * MESSAGE_SIZE, MESSAGE_SIZE, "%s", problem.c_str());
                    _exit(1);
                }
                placeHalved(picture, layout, static_cast<int>(index), pixels);
                _exit(0);
            }
            if (child < 0)
                error = std::string("cannot start a process for a world: ") + std::strerror(errno);
            else
                running[child] = index;
            continue;
        }
        int status = 0;
        const pid_t ended = waitpid(-1, &status, 0);
        if (ended < 0) {
            // A signal: the loop's top sees whether it asks to stop.
            if (errno == EINTR) continue;
            break;
        }
        const auto found = running.find(ended);
        if (found == running.end()) continue;
        const size_t index = found->second;
        running.erase(found);
        if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
            progress(++done);
        } else if (error.empty()) {
            const char* message = messages + index * MESSAGE_SIZE;
            error = "the world of seed " + std::to_string(seeds[index]) + " could not be drawn";
            if (*message != '\0')
                error += std::string(": ") + message;
            else if (WIFSIGNALED(status))
                error += " (ended by a signal)";
        }
    }
    if (error.empty()) {
        for (size_t i = 0; i < seeds.size(); ++i) {
            const std::string label = "seed " + std::to_string(seeds[i]);
            const int index = static_cast<int>(i);
            paintStatusText(pixels, layout.width, layout.height,
                            layout.left(index) + (layout.pictureWidth - statusTextWidth(label)) / 2,
                            layout.top(index) + layout.pictureHeight + LABEL_BASELINE, label, INK);
        }
        sheet.assign(pixels, pixels + bytes);
    }
    munmap(mapping, bytes + seeds.size() * MESSAGE_SIZE);
    return error.empty();
}
