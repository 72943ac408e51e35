// The program entry: the world, the display-mode prompt, the window, the callbacks, the main loop.
#include "app/Entry.h"
#include "app/Options.h"
#include "app/Platform.h"

#include <GL/freeglut.h>
#include <ctime>

int main(int argc, char** argv) {
    ProgramOptions options = parseProgramOptions(argc, argv);
    preparePlatform(options.growsWorld() && options.mode == 0);
    if (const int status = answerWithText(options, "florvane", printProgramHelp); status >= 0) return status;
    createStaticObjects();
    growWorld(options.seeded ? options.seed : static_cast<unsigned>(std::time(nullptr)));
    int glutArgc = static_cast<int>(options.glutArguments.size()) - 1;
    glutInit(&glutArgc, options.glutArguments.data());
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    openDisplay(options.mode != 0 ? options.mode : askDisplayMode(stdin));
    registerCallbacks();
    glutMainLoop();
    return 0;
}
