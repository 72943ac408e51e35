// The program entry: the options, the world, the display-mode prompt, the window, the callbacks, the
// main loop.
#include "app/Entry.h"
#include "app/Options.h"

#include <GL/freeglut.h>
#include <ctime>

int main(int argc, char** argv) {
    ProgramOptions options = parseProgramOptions(argc, argv);
    if (!options.error.empty()) {
        std::fprintf(stderr, "florvane: %s\nTry 'florvane --help' for more information.\n", options.error.c_str());
        return 2;
    }
    if (options.help) {
        printProgramHelp(stdout);
        return 0;
    }
    if (options.version) {
        printProgramVersion("florvane");
        return 0;
    }
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
