// Runs the real florvane binary for end-to-end tests and looks at what it shows on the X display.
#include "tests/support/Viewer.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <sstream>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

Display* display() {
    static Display* connection = XOpenDisplay(nullptr);
    if (connection == nullptr) {
        std::fprintf(stderr, "end-to-end tests need an X display\n");
        std::abort();
    }
    return connection;
}

}  // namespace

std::string commandOutput(const std::string& command) {
    std::string result;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) result.append(buffer, n);
        pclose(pipe);
    }
    return result;
}

namespace {

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

ViewerProcess::ViewerProcess(const std::vector<std::string>& launcher,
                             const std::vector<std::string>& programArguments) {
    int in[2], out[2], err[2];
    if (pipe(in) != 0 || pipe(out) != 0 || pipe(err) != 0) std::abort();
    pid_ = fork();
    if (pid_ == 0) {
        dup2(in[0], 0);
        dup2(out[1], 1);
        dup2(err[1], 2);
        for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) close(fd);
        if (chdir(FLORVANE_DATA_DIR) != 0) _exit(126);
        std::vector<const char*> arguments;
        for (const std::string& word : launcher) arguments.push_back(word.c_str());
        arguments.push_back(FLORVANE_BINARY);
        for (const std::string& word : programArguments) arguments.push_back(word.c_str());
        arguments.push_back(nullptr);
        execvp(arguments[0], const_cast<char* const*>(arguments.data()));
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    close(err[1]);
    in_ = in[1];
    outPipe_ = out[0];
    errPipe_ = err[0];
    signal(SIGPIPE, SIG_IGN);
}

ViewerProcess::~ViewerProcess() {
    if (!status_) {
        kill(pid_, SIGKILL);
        int status;
        waitpid(pid_, &status, 0);
    }
    for (int fd : {in_, outPipe_, errPipe_})
        if (fd >= 0) close(fd);
}

void ViewerProcess::type(const std::string& text) {
    if (in_ >= 0 && write(in_, text.data(), text.size()) != static_cast<ssize_t>(text.size())) closeInput();
}

void ViewerProcess::closeInput() {
    if (in_ >= 0) close(in_);
    in_ = -1;
}

void ViewerProcess::pump(int timeoutMs) {
    pollfd fds[2] = {{outPipe_, POLLIN, 0}, {errPipe_, POLLIN, 0}};
    if (poll(fds, 2, timeoutMs) <= 0) return;
    char buffer[4096];
    for (int i = 0; i < 2; ++i) {
        if (!(fds[i].revents & (POLLIN | POLLHUP))) continue;
        ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
        if (n > 0) (i == 0 ? out_ : err_).append(buffer, static_cast<size_t>(n));
        if (n == 0) fds[i].fd = -1;
    }
}

bool ViewerProcess::waitForOutput(const std::string& text, double seconds) {
    Clock::time_point start = Clock::now();
    while (out_.find(text) == std::string::npos) {
        if (secondsSince(start) > seconds) return false;
        pump(50);
    }
    return true;
}

std::optional<int> ViewerProcess::waitForExit(double seconds) {
    Clock::time_point start = Clock::now();
    while (!status_) {
        int status;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            status_ = status;
            break;
        }
        if (secondsSince(start) > seconds) return std::nullopt;
        pump(50);
    }
    // Collect whatever is still in the pipes.
    for (int i = 0; i < 5; ++i) pump(10);
    return status_;
}

double Screenshot::meanBrightness() const {
    double sum = 0;
    for (unsigned char c : rgb) sum += c;
    return rgb.empty() ? 0 : sum / rgb.size();
}

size_t Screenshot::distinctColours() const {
    std::set<unsigned> colours;
    for (size_t i = 0; i + 2 < rgb.size(); i += 3) colours.insert(rgb[i] << 16 | rgb[i + 1] << 8 | rgb[i + 2]);
    return colours.size();
}

bool Screenshot::writePPM(const std::string& path) const {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    std::fprintf(file, "P6\n%d %d\n255\n", width, height);
    std::fwrite(rgb.data(), 1, rgb.size(), file);
    return std::fclose(file) == 0;
}

std::vector<unsigned long> findWindows(const std::string& title) {
    std::vector<unsigned long> ids;
    std::istringstream lines(commandOutput("xdotool search --name '^" + title + "$' 2>/dev/null"));
    for (unsigned long id; lines >> id;) ids.push_back(id);
    return ids;
}

WindowState windowState(unsigned long id) {
    WindowState state;
    state.id = id;
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display(), id, &attributes)) return state;
    Window child;
    XTranslateCoordinates(display(), id, DefaultRootWindow(display()), 0, 0, &state.x, &state.y, &child);
    state.viewable = attributes.map_state == IsViewable;
    state.width = attributes.width;
    state.height = attributes.height;
    state.border = attributes.border_width;
    return state;
}

bool WindowState::coversScreen() const {
    return x - border <= 0 && y - border <= 0 && x + width + border >= screenWidth() &&
           y + height + border >= screenHeight();
}

std::optional<WindowState> waitForWindow(const std::string& title, double seconds) {
    Clock::time_point start = Clock::now();
    while (secondsSince(start) < seconds) {
        for (unsigned long id : findWindows(title)) {
            WindowState state = windowState(id);
            if (state.viewable) return state;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return std::nullopt;
}

int screenWidth() { return DisplayWidth(display(), DefaultScreen(display())); }

int screenHeight() { return DisplayHeight(display(), DefaultScreen(display())); }

Screenshot grabScreen() {
    Screenshot shot;
    shot.width = screenWidth();
    shot.height = screenHeight();
    XImage* image = XGetImage(display(), DefaultRootWindow(display()), 0, 0, shot.width, shot.height, AllPlanes,
                              ZPixmap);
    shot.rgb.resize(static_cast<size_t>(shot.width) * shot.height * 3);
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x) {
            unsigned long pixel = XGetPixel(image, x, y);
            unsigned char* rgb = &shot.rgb[(static_cast<size_t>(y) * shot.width + x) * 3];
            rgb[0] = static_cast<unsigned char>((pixel & image->red_mask) >> 16);
            rgb[1] = static_cast<unsigned char>((pixel & image->green_mask) >> 8);
            rgb[2] = static_cast<unsigned char>(pixel & image->blue_mask);
        }
    XDestroyImage(image);
    return shot;
}

void pressKeys(const std::string& keys) { xdotool("key " + keys); }

int xdotool(const std::string& arguments) { return std::system(("xdotool " + arguments + " >/dev/null 2>&1").c_str()); }
