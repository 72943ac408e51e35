// Start-up, in the order the entry function runs it.
#include "app/Entry.h"

#include "app/Camera.h"
#include "app/Frame.h"
#include "app/Input.h"
#include "app/Overlay.h"
#include "app/Population.h"
#include "app/Tick.h"
#include "app/VerticalSync.h"
#include "app/World.h"
#include "world/Wind.h"

#include <GL/freeglut.h>
#include <cstdlib>

namespace {

void emptyMenuStatus(int, int, int) {}

void openWindow() {
    // Without a window manager, going full screen keeps the window's first position as an offset.
    glutInitWindowPosition(0, 0);
    glutInitWindowSize(640, 480);
    glutCreateWindow("Florvane");
}

}  // namespace

void createStaticObjects() {
    // The overlay loads its pictures here, so a missing one ends the program before the banner.
    overlay = new Overlay;
    wind = new Wind;
}

void growWorld(unsigned seed) {
    setStartCamera();
    std::printf("Vyckejte prosim... generuji objekty...\n\n\n");
    std::srand(seed);
    populateWorld();
}

int askDisplayMode(std::FILE* input) {
    printModePrompt();
    // The prompt must show even when the console is a pipe.
    std::fflush(stdout);
    const int mode = readDisplayMode(input);
    if (mode < 0) {
        std::fprintf(stderr, "End of input before a display mode (0 to 3) was chosen\n");
        std::exit(1);
    }
    return mode;
}

void printModePrompt() {
    std::printf("0 -  640x480x16 (bez menu)\n");
    std::printf("1 -  800x600x16 (bez menu)\n");
    std::printf("2 - 1024x768x16 (bez menu)\n");
    std::printf("3 - v fullscreen okne (doporuceno)\n");
}

int readDisplayMode(std::FILE* input) {
    for (;;) {
        int c = std::getc(input);
        if (c == EOF) return -1;
        if (c >= '0' && c <= '3') return c;
    }
}

void openDisplay(int mode) {
    static const char* const gameModes[] = {"640x480:16@100", "800x600:16@100", "1024x768:16@100"};
    bool gameMode = false;
    if (mode >= '0' && mode <= '2') {
        glutGameModeString(gameModes[mode - '0']);
        glutEnterGameMode();
        // Where the server cannot change its mode there is no game mode window, and the next GLUT
        // call would abort the program: show the world in the full-screen window instead.
        gameMode = glutGameModeGet(GLUT_GAME_MODE_ACTIVE);
    }
    if (!gameMode) openWindow();
    requestVerticalSync();
}

void registerInput() {
    glutMenuStatusFunc(emptyMenuStatus);
    glutKeyboardFunc(keyboard);
    glutPassiveMotionFunc(passiveMotion);
    glutSetCursor(GLUT_CURSOR_NONE);
    setInitialGLState();
}

void setInitialGLState() {
    setTextureFiltering();
    glEnable(GL_LIGHTING);
}

void setTextureFiltering() {
    // The one level every draw uploads is then a complete texture: no mipmaps are ever built.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    // Picture rows are packed; a width whose row is not a multiple of four bytes must upload intact.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
}

void registerCallbacks() {
    registerInput();
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutSpecialFunc(specialKey);
    glutFullScreen();
    glutIdleFunc(idle);
    buildMenus();
}
