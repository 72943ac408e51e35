// The program's clock: one idle call is one tick of every animation.
#include "app/Tick.h"

#include "app/Camera.h"
#include "app/World.h"
#include "core/Clock.h"
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
        // sin t, sin 1.4t and cos 1.2t all repeat after 10 pi. From 4096 on a float would round the
        // step by over 2 %, and from 262144 (five days of the fly-through) drop it; below, it is
        // within 0.1 % and the first 1.9 hours of the fly-through stay exactly as they were.
        flightTime = advanceClock(flightTime, 0.01f, 4096, 5 * FULL_TURN);
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
