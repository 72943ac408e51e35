// The program's clock: one idle call is one tick of every animation.
#include "app/Tick.h"

#include "app/Camera.h"
#include "app/World.h"
#include "core/List.h"
#include "world/Butterfly.h"
#include "world/Rain.h"
#include "world/Sky.h"
#include "world/Wind.h"

#include <GL/freeglut.h>

void tick() {
    switch (cameraMode) {
    case 0:
        // The path pauses in the other modes and resumes where it stopped.
        followFlightPath();
        flightTime += 0.01f;
        break;
    case 1:
        eye[0] = worldCentreX;
        eye[1] = CENTRE_EYE_HEIGHT;
        eye[2] = worldCentreZ;
        lookAngles[0] += 0.01f;
        clampPitch();
        break;
    default:
        break;
    }
    wind->animate();
    sky->advance();
    rain->fall();
    // The butterflies fly on while they are not shown.
    for (Butterfly* butterfly : items<Butterfly>(butterflies)) butterfly->step();
}

void idle() {
    tick();
    glutPostRedisplay();
}
