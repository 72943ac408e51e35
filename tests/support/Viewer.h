// Runs the real florvane binary for end-to-end tests and looks at what it shows on the X display.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

// The program started in the directory that holds its pictures, with its console on pipes.
class ViewerProcess {
public:
    // The launcher, when given, runs the program as its last argument (a tracer, say); the
    // arguments follow the program.
    explicit ViewerProcess(const std::vector<std::string>& launcher = {},
                           const std::vector<std::string>& arguments = {});
    ~ViewerProcess();
    ViewerProcess(const ViewerProcess&) = delete;
    ViewerProcess& operator=(const ViewerProcess&) = delete;

    void type(const std::string& text);
    void closeInput();
    // Collects the console until standard output contains text; false on timeout.
    bool waitForOutput(const std::string& text, double seconds);
    // The wait status once the process has ended, or nothing on timeout.
    std::optional<int> waitForExit(double seconds);
    const std::string& output() const { return out_; }
    const std::string& errors() const { return err_; }

private:
    void pump(int timeoutMs);

    pid_t pid_ = -1;
    int in_ = -1, outPipe_ = -1, errPipe_ = -1;
    std::string out_, err_;
    std::optional<int> status_;
};

struct WindowState {
    unsigned long id = 0;
    bool viewable = false;
    int x = 0, y = 0, width = 0, height = 0;  // the inside, in screen coordinates
    int border = 0;
    // True when the window with its border covers the whole screen.
    bool coversScreen() const;
};

struct Screenshot {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;  // rows from the top
    const unsigned char* at(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
    // Mean brightness 0..255 over the whole picture.
    double meanBrightness() const;
    // Number of distinct colours, a cheap measure of how much the picture shows.
    size_t distinctColours() const;
    bool writePPM(const std::string& path) const;
};

// The top-level windows titled exactly so.
std::vector<unsigned long> findWindows(const std::string& title);
// Polls until a window with the title is viewable.
std::optional<WindowState> waitForWindow(const std::string& title, double seconds);
WindowState windowState(unsigned long id);
int screenWidth();
int screenHeight();
Screenshot grabScreen();
// Sends keys (X key names, as xdotool knows them) through the XTEST extension.
void pressKeys(const std::string& keys);
// Runs an xdotool command line; returns its exit status.
int xdotool(const std::string& arguments);
// Runs a shell command and returns what it printed on standard output.
std::string commandOutput(const std::string& command);
