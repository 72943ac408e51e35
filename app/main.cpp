// The program entry: the world, the display-mode prompt, the window, the callbacks, the main loop.
#include "app/Entry.h"

#include <GL/freeglut.h>
#include <ctime>

namespace {

const bool staticObjectsCreated = (createStaticObjects(), true);

}  // namespace

int main(int argc, char** argv) {
    growWorld(static_cast<unsigned>(std::time(nullptr)));
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    openDisplay(askDisplayMode(stdin));
    registerCallbacks();
    glutMainLoop();
    return 0;
}
