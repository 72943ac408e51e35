// The program's clock: one idle call is one tick of every animation, or as many as a steady pace
// calls for.
#include "app/Tick.h"

#include "app/Camera.h"
#include "app/Pace.h"
#include "app/World.h"
#include "core/Clock.h"
#include "core/List.h"
#include "world/Butterfly.h"
#include "world/Rain.h"
#include "world/Sky.h"
#include "world/Wind.h"

#include <GL/freeglut.h>
#include <chrono>
#include <optional>

namespace {

// Empty: one tick per idle call.
std::optional<Pace> pace;

double secondsNow() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace

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

void setPace(int ticksPerSecond) {
    if (ticksPerSecond > 0)
        pace.emplace(ticksPerSecond);
    else
        pace.reset();
}

void idle() {
    const int ticks = pace ? pace->ticksDue(secondsNow()) : 1;
    for (int i = 0; i < ticks; ++i) tick();
    glutPostRedisplay();
}
