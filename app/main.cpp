// The program entry: the world, the display-mode prompt, the window, the callbacks, the main loop.
#include "app/Entry.h"
#include "app/Options.h"

#include <GL/freeglut.h>
#include <ctime>

namespace {

int startArgc;
char** startArgv;

// glibc hands every function of the initialisation array the program's arguments. Reading them
// before the static objects lets --help and --version answer without the pictures, wherever the
// program is started; without options static initialisation is exactly what it always was.
__attribute__((constructor(101))) void keepArguments(int argc, char** argv, char**) {
    startArgc = argc;
    startArgv = argv;
}

ProgramOptions options = parseProgramOptions(startArgc, startArgv);

const bool staticObjectsCreated = options.growsWorld() && (createStaticObjects(), true);

}  // namespace

int main(int, char**) {
    if (const int status = answerWithText(options, "florvane", printProgramHelp); status >= 0) return status;
    growWorld(options.seeded ? options.seed : static_cast<unsigned>(std::time(nullptr)));
    int glutArgc = static_cast<int>(options.glutArguments.size()) - 1;
    glutInit(&glutArgc, options.glutArguments.data());
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    openDisplay(options.mode != 0 ? options.mode : askDisplayMode(stdin));
    registerCallbacks();
    glutMainLoop();
    return 0;
}
