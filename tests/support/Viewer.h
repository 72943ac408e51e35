// Runs the real florvane binary for end-to-end tests and looks at what it shows on the X display.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// The longest any wait for an event may take, in seconds: a loaded machine makes a test slow, never failed.
constexpr double PATIENCE = 240;

// Polls until done, pausing between polls; false when PATIENCE ran out first.
template <class Done>
bool waitUntil(Done done) {
    const auto start = std::chrono::steady_clock::now();
    while (!done()) {
        if (std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() > PATIENCE) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

// The program started in the directory of its pictures, its input on a pipe, its output in files.
class ViewerProcess {
public:
    // The launcher, when given, runs the program as its last argument (a tracer, say); the
    // arguments follow the program, which starts in the given directory.
    explicit ViewerProcess(const std::vector<std::string>& launcher = {},
                           const std::vector<std::string>& arguments = {},
                           const std::string& directory = FLORVANE_DATA_DIR);
    ~ViewerProcess();
    void type(const std::string& text);
    void closeInput();
    // Whether standard output came to contain the text.
    bool waitForOutput(const std::string& text);
    // The exit status once the process has ended by itself; -1 when it did not, or a signal ended it.
    int waitForExit();
    std::string output() const;
    std::string errors() const;

private:
    bool ended();
    pid_t pid_ = -1;
    int in_ = -1;
    std::string outPath_, errPath_;
    std::optional<int> status_;
};

struct Screenshot {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;  // rows from the top
    const unsigned char* at(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
    // 0..255 over the rectangle between these fractions of the width and height, from the top left.
    double meanBrightness(double left = 0, double top = 0, double right = 1, double bottom = 1) const;
    // The share of pixels with a channel further than the tolerance from the other picture's (1 when the
    // sizes differ); where asked, diff shows each pixel's largest difference, amplified.
    double differingShare(const Screenshot& other, int tolerance, Screenshot* diff = nullptr) const;
    bool writePPM(const std::string& path) const;
};

// "full screen" once a window with the title covers the screen, else what was last seen of it.
std::string waitForFullScreenWindow(const std::string& title);
// The screen once the picture has changed the given number of times: at least that many new frames.
std::optional<Screenshot> waitForNewFrames(int frames);
// Whether the pointer came to stand at (x, y) of the screen, as the program's warp puts it.
bool waitForPointerAt(int x, int y);
// Whether the number of shown windows with the title came to be count: a menu and its submenus.
bool waitForShownWindows(const std::string& title, int count);
// Sends the input (xdotool's arguments), if any, then returns the screen a few frames later.
Screenshot after(const std::string& xdotoolArguments, int frames = 3);
// Pure green pixels where the status line is written, left of the middle near the bottom.
int statusPixels(const Screenshot& shot);
// Sends keys (X key names, as xdotool knows them) through the XTEST extension; false when it could not.
bool pressKeys(const std::string& keys);
// Runs a shell command and returns what it printed on standard output.
std::string commandOutput(const std::string& command);
