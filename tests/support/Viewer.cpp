// Runs the real florvane binary for end-to-end tests and looks at what it shows on the X display.
#include "tests/support/Viewer.h"

// Before Xlib, whose macros would rename parts of it.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

static Display* const display = XOpenDisplay(nullptr);

ViewerProcess::ViewerProcess(const std::vector<std::string>& launcher,
                             const std::vector<std::string>& programArguments, const std::string& directory) {
    static int started = 0;
    outPath_ = "/tmp/florvane_" + std::to_string(getpid()) + "_" + std::to_string(++started) + ".out";
    errPath_ = outPath_ + ".err";
    int in[2];
    if (pipe2(in, O_CLOEXEC) != 0) std::abort();
    std::vector<char*> arguments;
    for (const std::string& word : launcher) arguments.push_back(const_cast<char*>(word.c_str()));
    arguments.push_back(const_cast<char*>(FLORVANE_BINARY));
    for (const std::string& word : programArguments) arguments.push_back(const_cast<char*>(word.c_str()));
    arguments.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
    if (posix_spawnp(&pid_, arguments[0], &actions, nullptr, arguments.data(), environ) != 0) std::abort();
    posix_spawn_file_actions_destroy(&actions);
    close(in[0]);
    in_ = in[1];
    signal(SIGPIPE, SIG_IGN);
}

ViewerProcess::~ViewerProcess() {
    if (!ended()) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    closeInput();
    std::remove(outPath_.c_str());
    std::remove(errPath_.c_str());
}

void ViewerProcess::type(const std::string& text) {
    if (in_ >= 0 && write(in_, text.data(), text.size()) != static_cast<ssize_t>(text.size())) closeInput();
}

void ViewerProcess::closeInput() {
    if (in_ >= 0) close(in_);
    in_ = -1;
}

static std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

std::string ViewerProcess::output() const { return readFile(outPath_); }
std::string ViewerProcess::errors() const { return readFile(errPath_); }

bool ViewerProcess::ended() {
    int status;
    if (!status_ && waitpid(pid_, &status, WNOHANG) == pid_) status_ = status;
    return status_.has_value();
}

bool ViewerProcess::waitForOutput(const std::string& text) {
    waitUntil([&] { return output().find(text) != std::string::npos || ended(); });
    return output().find(text) != std::string::npos;
}

int ViewerProcess::waitForExit() {
    waitUntil([&] { return ended(); });
    return status_ && WIFEXITED(*status_) ? WEXITSTATUS(*status_) : -1;
}

double Screenshot::meanBrightness(double left, double top, double right, double bottom) const {
    double sum = 0;
    size_t count = 0;
    for (int y = static_cast<int>(top * height); y < static_cast<int>(bottom * height); ++y)
        for (int x = static_cast<int>(left * width); x < static_cast<int>(right * width); ++x, count += 3)
            for (int c = 0; c < 3; ++c) sum += at(x, y)[c];
    return count == 0 ? 0 : sum / count;
}

double Screenshot::differingShare(const Screenshot& other, int tolerance, Screenshot* diff) const {
    if (rgb.size() != other.rgb.size() || rgb.empty()) return 1.0;
    if (diff != nullptr) *diff = *this;
    size_t differing = 0;
    for (size_t i = 0; i < rgb.size(); i += 3) {
        int worst = 0;
        for (size_t c = i; c < i + 3; ++c) worst = std::max(worst, std::abs(rgb[c] - other.rgb[c]));
        differing += worst > tolerance;
        if (diff != nullptr) std::fill_n(&diff->rgb[i], 3, static_cast<unsigned char>(std::min(255, worst * 8)));
    }
    return static_cast<double>(differing) / static_cast<double>(rgb.size() / 3);
}

bool Screenshot::writePPM(const std::string& path) const {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    std::fprintf(file, "P6\n%d %d\n255\n", width, height);
    std::fwrite(rgb.data(), 1, rgb.size(), file);
    return std::fclose(file) == 0;
}

std::string waitForFullScreenWindow(const std::string& title) {
    std::string seen = "no viewable window";
    waitUntil([&] {
        std::istringstream ids(commandOutput("xdotool search --name '^" + title + "$' 2>/dev/null"));
        for (Window id; ids >> id;) {
            XWindowAttributes a;
            Window child;
            int x, y;
            if (!XGetWindowAttributes(display, id, &a) || a.map_state != IsViewable) continue;
            XTranslateCoordinates(display, id, DefaultRootWindow(display), 0, 0, &x, &y, &child);
            const int b = a.border_width;
            const bool covers = x - b <= 0 && y - b <= 0 && x + a.width + b >= WidthOfScreen(a.screen) &&
                                y + a.height + b >= HeightOfScreen(a.screen);
            seen = covers ? "full screen" : std::to_string(a.width) + "x" + std::to_string(a.height) + " at " +
                                                std::to_string(x) + "," + std::to_string(y);
            if (covers) return true;
        }
        return false;
    });
    return seen;
}

std::optional<Screenshot> waitForNewFrames(int frames) {
    auto grab = [] {
        const Screen* screen = DefaultScreenOfDisplay(display);
        Screenshot shot{WidthOfScreen(screen), HeightOfScreen(screen), {}};
        XImage* image =
            XGetImage(display, DefaultRootWindow(display), 0, 0, shot.width, shot.height, AllPlanes, ZPixmap);
        for (int y = 0; y < shot.height; ++y)
            for (int x = 0; x < shot.width; ++x)
                for (unsigned long mask : {image->red_mask, image->green_mask, image->blue_mask})
                    shot.rgb.push_back(static_cast<unsigned char>((XGetPixel(image, x, y) & mask) / (mask & -mask)));
        XDestroyImage(image);
        return shot;
    };
    Screenshot last = grab();
    int changes = 0;
    const bool seen = waitUntil([&] {
        Screenshot now = grab();
        if (now.rgb == last.rgb) return false;
        last = std::move(now);
        return ++changes >= frames;
    });
    return seen ? std::optional<Screenshot>(last) : std::nullopt;
}

bool waitForPointerAt(int x, int y) {
    return waitUntil([&] {
        Window root, child;
        int rootX, rootY, windowX, windowY;
        unsigned int buttons;
        return XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &windowX, &windowY,
                             &buttons) &&
               rootX == x && rootY == y;
    });
}

bool waitForShownWindows(const std::string& title, int count) {
    return waitUntil([&] {
        std::istringstream ids(commandOutput("xdotool search --onlyvisible --name '^" + title + "$' 2>/dev/null"));
        return static_cast<int>(std::distance(std::istream_iterator<std::string>(ids), {})) == count;
    });
}

Screenshot after(const std::string& xdotoolArguments, int frames) {
    if (!xdotoolArguments.empty()) {
        EXPECT_EQ(std::system(("xdotool " + xdotoolArguments).c_str()), 0) << xdotoolArguments;
    }
    std::optional<Screenshot> shot = waitForNewFrames(frames);
    EXPECT_TRUE(shot) << "no new frames after " << xdotoolArguments;
    return shot.value_or(Screenshot{});
}

int statusPixels(const Screenshot& shot) {
    int count = 0;
    for (int y = shot.height * 82 / 100; y < shot.height * 90 / 100; ++y)
        for (int x = shot.width / 8; x < shot.width / 2; ++x)
            count += shot.at(x, y)[1] > 230 && shot.at(x, y)[0] < 60 && shot.at(x, y)[2] < 60;
    return count;
}

bool pressKeys(const std::string& keys) { return std::system(("xdotool key " + keys + " >/dev/null").c_str()) == 0; }

std::string commandOutput(const std::string& command) {
    std::string result;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) result.append(buffer, n);
        pclose(pipe);
    }
    return result;
}
