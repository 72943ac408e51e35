// Every command a user can give: the keyboard handler decides, the special keys and the menu
// translate into it.
#include "app/Input.h"

#include "app/Camera.h"
#include "app/Overlay.h"
#include "app/World.h"
#include "core/Units.h"
#include "world/Rain.h"
#include "world/Sky.h"
#include "world/Wind.h"

#include <GL/freeglut.h>
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <strings.h>

namespace {

// A line of the key table: one command, its key and the second key that gives it too, if any.
struct KeyLine {
    Key key;
    Key alternative;
    const char* meaning;
};

const Key NONE = {nullptr, false, 0};

const KeyLine KEY_TABLE[] = {
    {{"Esc", false, 27}, NONE, "quit"},
    {{"0", false, '0'}, NONE, "fly-through camera"},
    {{"1", false, '1'}, NONE, "centre camera: stand in the middle and turn slowly"},
    {{"2", false, '2'}, NONE, "free-look camera"},
    {{"3", false, '3'}, NONE, "follow a butterfly (while the butterflies are shown)"},
    {{"W", false, 'W'}, {"Up", true, GLUT_KEY_UP}, "free look: one step forward"},
    {{"S", false, 'S'}, {"Down", true, GLUT_KEY_DOWN}, "free look: one step back"},
    {{"A", false, 'A'}, {"Left", true, GLUT_KEY_LEFT}, "free look: one step to the left"},
    {{"D", false, 'D'}, {"Right", true, GLUT_KEY_RIGHT}, "free look: one step to the right"},
    {{"M", false, 'M'}, NONE, "butterflies on or off (they stop the rain)"},
    {{"P", false, 'P'}, NONE, "rain on or off (it sends the butterflies away)"},
    {{"R", false, 'R'}, NONE, "spotlight on or off"},
    {{"V", false, 'V'}, NONE, "wind on or off"},
    {{"+", false, '+'}, NONE, "stronger wind, while it blows"},
    {{"-", false, '-'}, NONE, "weaker wind, while it blows"},
    {{"F1", true, GLUT_KEY_F1}, NONE, "the help picture"},
    {{"F7", true, GLUT_KEY_F7}, NONE, "midnight"},
    {{"F8", true, GLUT_KEY_F8}, NONE, "noon"},
};

constexpr int MAX_WIND_STRENGTH = 10;
// Without diacritics, like every other entry: GLUT's menu font reads its bytes as Latin-1, which
// would show the e with caron of "Svetla" stored in Windows-1250 as an i with grave.
const char LIGHTS_MENU_TITLE[] = "Svetla";
const char OTHER_MENU_TITLE[] = "Ostatni";

void showWindStrength() {
    char text[16];
    std::snprintf(text, sizeof text, "WIND - %d", windStrength);
    overlay->showStatus(text);
}

void changeWindStrength(int change) {
    if (!windOn) return;
    windStrength = std::clamp(windStrength + change, 0, MAX_WIND_STRENGTH);
    wind->setStrength(windStrength);
    showWindStrength();
}

void chooseCamera(int mode) {
    static const char* const texts[] = {"CAMERA - 0", "CAMERA - 1", "CAMERA - 2", "CAMERA - 3"};
    if (mode == 3) {
        if (!butterfliesOn) return;
        followRandomButterfly();
    }
    cameraMode = mode;
    overlay->showStatus(texts[mode]);
}

// Turns the walking direction, never the view, then takes one step.
void walk(float turn, bool backward) {
    if (backward) {
        moveAngles[0] = static_cast<float>(moveAngles[0] + HALF_TURN);
        moveAngles[1] = static_cast<float>(HALF_TURN - moveAngles[1]);
    } else if (turn != 0) {
        moveAngles[0] = static_cast<float>(moveAngles[0] + turn * (HALF_TURN / 2));
        // Level: a side step keeps the eye's height.
        moveAngles[1] = static_cast<float>(HALF_TURN / 2);
    }
    moveCamera();
}

// The butterflies go; the camera that followed one falls back to free look, and the status says so.
void hideButterflies(const char* status, const char* statusWithCamera) {
    butterfliesOn = 0;
    const bool following = cameraMode == 3;
    if (following) cameraMode = 2;
    overlay->showStatus(following ? statusWithCamera : status);
}

// Rain and butterflies are never on together.
void switchButterflies() {
    if (butterfliesOn) {
        hideButterflies("BUTTERFLY - OFF", "BUTTERFLY - OFF, CAMERA - 2");
    } else {
        butterfliesOn = 1;
        if (rainOn) {
            rainOn = 0;
            rain->stop();
            overlay->showStatus("BUTTERFLY - ON, RAIN - OFF");
        } else {
            overlay->showStatus("BUTTERFLY - ON");
        }
    }
}

void switchRain() {
    if (rainOn) {
        rainOn = 0;
        rain->stop();
        overlay->showStatus("RAIN - OFF");
        return;
    }
    rainOn = 1;
    rain->start();
    if (butterfliesOn)
        hideButterflies("RAIN - ON, BUTTERFLY - OFF", "RAIN - ON, BUTTERFLY - OFF, CAMERA - 2");
    else
        overlay->showStatus("RAIN - ON");
}

void switchSpotlight() {
    spotlightOn = !spotlightOn;
    if (spotlightOn) {
        glEnable(GL_LIGHT0);
        overlay->showStatus("REFLECTOR - ON");
    } else {
        glDisable(GL_LIGHT0);
        overlay->showStatus("REFLECTOR - OFF");
    }
}

// The strength is kept across the switch: the wind remembers it while it is off.
void switchWind() {
    windOn = !windOn;
    if (windOn) {
        wind->switchOn();
        overlay->showStatus("WIND - ON");
    } else {
        wind->switchOff();
        overlay->showStatus("WIND - OFF");
    }
}

}  // namespace

const Key* findKey(const std::string& name) {
    for (const KeyLine& line : KEY_TABLE)
        for (const Key* key : {&line.key, &line.alternative})
            if (key->name != nullptr && strcasecmp(key->name, name.c_str()) == 0) return key;
    return nullptr;
}

void printKeyTable(std::FILE* stream) {
    std::fputs("Keys (letters and names in either case):\n", stream);
    for (const KeyLine& line : KEY_TABLE) {
        std::string keys = line.key.name;
        if (line.alternative.name != nullptr) keys = keys + ", " + line.alternative.name;
        std::fprintf(stream, "  %-10s  %s\n", keys.c_str(), line.meaning);
    }
}

void pressKey(const Key& key) {
    if (key.special)
        specialKey(key.code, 0, 0);
    else
        keyboard(static_cast<unsigned char>(key.code), 0, 0);
}

void keyboard(unsigned char key, int, int) {
    moveAngles[0] = lookAngles[0];
    moveAngles[1] = lookAngles[1];
    if (key < 27 || key > 119) return;
    switch (std::toupper(key)) {
    case 27: std::exit(0);
    case '+': changeWindStrength(+1); break;
    case '-': changeWindStrength(-1); break;
    case '0': chooseCamera(0); break;
    case '1': chooseCamera(1); break;
    case '2': chooseCamera(2); break;
    case '3': chooseCamera(3); break;
    case 'W': walk(0, false); break;
    case 'S': walk(0, true); break;
    case 'A': walk(-1, false); break;
    case 'D': walk(+1, false); break;
    case 'M': switchButterflies(); break;
    case 'P': switchRain(); break;
    case 'R': switchSpotlight(); break;
    case 'V': switchWind(); break;
    default: break;
    }
}

void specialKey(int key, int, int) {
    switch (key) {
    case GLUT_KEY_F1: overlay->showHelp(); break;
    case GLUT_KEY_F7: sky->setMidnight(); break;
    case GLUT_KEY_F8: sky->setNoon(); break;
    case GLUT_KEY_LEFT: keyboard('A', 0, 0); break;
    case GLUT_KEY_UP: keyboard('W', 0, 0); break;
    case GLUT_KEY_RIGHT: keyboard('D', 0, 0); break;
    case GLUT_KEY_DOWN: keyboard('S', 0, 0); break;
    default: break;
    }
}

void menuSelect(int value) {
    switch (value) {
    case 4: keyboard(27, 0, 0); break;
    case 101: specialKey(GLUT_KEY_F7, 0, 0); break;
    case 102: specialKey(GLUT_KEY_F8, 0, 0); break;
    case 103: keyboard('R', 0, 0); break;
    case 201: keyboard('0', 0, 0); break;
    case 202: keyboard('1', 0, 0); break;
    case 203: keyboard('2', 0, 0); break;
    case 204: keyboard('3', 0, 0); break;
    case 301: keyboard('M', 0, 0); break;
    case 302: keyboard('P', 0, 0); break;
    case 303: keyboard('V', 0, 0); break;
    case 304: keyboard('+', 0, 0); break;
    case 305: keyboard('-', 0, 0); break;
    default: break;
    }
}

void buildMenus() {
    const int lights = glutCreateMenu(menuSelect);
    glutAddMenuEntry("Pulnoc", 101);
    glutAddMenuEntry("Poledne", 102);
    glutAddMenuEntry("Reflektor", 103);
    const int camera = glutCreateMenu(menuSelect);
    glutAddMenuEntry("Prulet", 201);
    glutAddMenuEntry("Stred krajiny", 202);
    glutAddMenuEntry("Freelook", 203);
    glutAddMenuEntry("Motyl", 204);
    const int other = glutCreateMenu(menuSelect);
    glutAddMenuEntry("Motyli", 301);
    glutAddMenuEntry("Dest", 302);
    glutAddMenuEntry("Vitr", 303);
    glutAddMenuEntry("Zesil vitr", 304);
    glutAddMenuEntry("Zeslab vitr", 305);
    // Created last, so it is the current menu the right button opens.
    glutCreateMenu(menuSelect);
    glutAddSubMenu(LIGHTS_MENU_TITLE, lights);
    glutAddSubMenu("Kamera", camera);
    glutAddSubMenu(OTHER_MENU_TITLE, other);
    glutAddMenuEntry("Konec", 4);
    glutAttachMenu(GLUT_RIGHT_BUTTON);
}
