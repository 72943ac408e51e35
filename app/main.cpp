// The program entry: banner, world, display-mode prompt, window, callbacks, main loop.
#include "app/Camera.h"
#include "app/Entry.h"
#include "app/Frame.h"
#include "app/Population.h"
#include "app/Tick.h"
#include "app/World.h"
#include "world/Wind.h"

#include <GL/freeglut.h>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

// Objects that exist before the entry function runs, created in this order.
const bool staticObjectsCreated = [] {
    wind = new Wind;
    return true;
}();

}  // namespace

int main(int argc, char** argv) {
    eye[0] = 50.0f;
    eye[1] = 15.0f;
    eye[2] = 50.0f;
    lookAngles[0] = lookAngles[1] = 0.0f;
    // The first frame may come before the first tick: start on the flight path, with the pitch
    // inside its limits, so no view looks along its own up vector or at its own eye.
    followFlightPath();
    clampPitch();

    std::printf("Vyckejte prosim... generuji objekty...\n\n\n");
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    populateWorld();

    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    printModePrompt();
    std::fflush(stdout);
    int mode = readDisplayMode(stdin);
    if (mode < 0) {
        std::fprintf(stderr, "End of input before a display mode (0 to 3) was chosen\n");
        return 1;
    }
    openDisplay(mode);

    registerInput();
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutFullScreen();
    glutIdleFunc(idle);
    glutMainLoop();
    return 0;
}
