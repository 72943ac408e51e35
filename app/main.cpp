// The program entry: the options, the world, the display-mode prompt, the window, the callbacks, the
// main loop.
#include "app/Entry.h"
#include "app/Options.h"
#include "app/Platform.h"
#include "app/Projection.h"
#include "app/Tick.h"

#include <GL/freeglut.h>
#include <cstdlib>
#include <ctime>
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

int main(int argc, char** argv) {
    ProgramOptions options = parseProgramOptions(argc, argv);
    // Before any output: on Windows the console is found (or made, for the prompt) here.
    preparePlatform(options.error.empty() && !options.help && !options.version && options.mode == 0);
    if (const int status = answerWithText(options, "florvane", printProgramHelp); status >= 0) return status;
    createStaticObjects();
    growWorld(options.seeded ? options.seed : static_cast<unsigned>(std::time(nullptr)));
    int glutArgc = static_cast<int>(options.glutArguments.size()) - 1;
    glutInit(&glutArgc, options.glutArguments.data());
#if defined(__SANITIZE_ADDRESS__)
    // At exit GLUT's handler, registered by glutInit, closes the display, which unloads the GL
    // driver and with it the globals through which the driver reaches its memory. Handlers run in
    // reverse order, so this one looks for leaks before, while that memory is still reachable.
    std::atexit(__lsan_do_leak_check);
#endif
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    openDisplay(options.mode != 0 ? options.mode : askDisplayMode(stdin));
    setAspect(options.aspect);
    setPace(options.pace);
    registerCallbacks();
    glutMainLoop();
    return 0;
}
