// The camera modes.
#include "app/Camera.h"

#include "app/World.h"
#include "core/List.h"
#include "core/Random.h"
#include "core/Units.h"
#include "world/Butterfly.h"

#include <GL/freeglut.h>
#include <cmath>

namespace {

// 10 and 170 degrees from straight up, on the negative side: compared in double, stored as floats.
// No float lies between these and the rounding of the same limits written out in decimals.
constexpr double UPPER_PITCH = -HALF_TURN / 18;
constexpr double LOWER_PITCH = -17 * HALF_TURN / 18;
constexpr double MOUSE_TURN = 0.01;
constexpr int WARP_POINT = 100;
// The pointer is warped back once it reaches this far from the window's top-left corner.
constexpr int MOUSE_AREA = 199;
constexpr double FREE_LOOK_RADIUS = 50;

// The direction for a yaw and a pitch measured from +y; the pitch stays on the negative side.
void viewDirection(double yaw, double pitch, double d[3]) {
    d[0] = std::sin(-yaw) * std::sin(pitch);
    d[1] = std::cos(pitch);
    d[2] = -std::cos(-yaw) * std::sin(pitch);
}

}  // namespace

void setStartCamera() {
    eye[0] = worldCentreX;
    eye[1] = CENTRE_EYE_HEIGHT;
    eye[2] = worldCentreZ;
    lookAngles[0] = lookAngles[1] = 0.0f;
    followFlightPath();
    clampPitch();
}

void applyCamera() {
    const double yaw = lookAngles[0], pitch = lookAngles[1];
    switch (cameraMode) {
    case 0:
        gluLookAt(eye[0], eye[1], eye[2], worldCentreX, CENTRE_EYE_HEIGHT, worldCentreZ, 0, 1, 0);
        break;
    case 1:
        // Only the horizontal part of the view direction, looking a fixed 0.3 upwards.
        gluLookAt(eye[0], eye[1], eye[2], eye[0] + std::sin(-yaw) * std::sin(pitch), eye[1] + 0.3,
                  eye[2] - std::cos(-yaw) * std::sin(pitch), 0, 1, 0);
        break;
    case 2: {
        double d[3];
        viewDirection(yaw, pitch, d);
        gluLookAt(eye[0], eye[1], eye[2], eye[0] + d[0], eye[1] + d[1], eye[2] + d[2], 0, 1, 0);
        break;
    }
    case 3:
        followedButterfly->followView();
        break;
    default:
        break;
    }
}

void clampPitch() {
    if (lookAngles[1] > UPPER_PITCH) lookAngles[1] = static_cast<float>(UPPER_PITCH);
    if (lookAngles[1] < LOWER_PITCH) lookAngles[1] = static_cast<float>(LOWER_PITCH);
}

void followFlightPath() {
    const double t = flightTime;
    eye[0] = static_cast<float>(std::sin(t) * 20 + worldCentreX);
    eye[1] = static_cast<float>(std::sin(t * 1.4) * 10 + 25);
    eye[2] = static_cast<float>(std::cos(t * 1.2) * 20 + worldCentreZ);
}

void passiveMotion(int x, int y) {
    if (x != 0 && x < MOUSE_AREA && y != 0 && y < MOUSE_AREA) {
        lookAngles[0] = static_cast<float>(lookAngles[0] + (lastMouseX - x) * MOUSE_TURN);
        lookAngles[1] = static_cast<float>(lookAngles[1] + (lastMouseY - y) * MOUSE_TURN);
        lastMouseX = x;
        lastMouseY = y;
    } else {
        // The warp comes back as a motion to the warp point itself, inside the area: it turns
        // nothing and warps no further.
        lastMouseX = lastMouseY = WARP_POINT;
        glutWarpPointer(WARP_POINT, WARP_POINT);
    }
    clampPitch();
}

void moveCamera() {
    if (cameraMode != 2) return;
    double d[3];
    viewDirection(moveAngles[0], moveAngles[1], d);
    const double x = eye[0] + d[0], y = eye[1] + d[1], z = eye[2] + d[2];
    const double distance = std::sqrt((worldCentreX - x) * (worldCentreX - x) + y * y + (worldCentreZ - z) * (worldCentreZ - z));
    if (distance >= FREE_LOOK_RADIUS) return;
    eye[0] = static_cast<float>(x);
    eye[1] = static_cast<float>(y);
    eye[2] = static_cast<float>(z);
}

void followRandomButterfly() {
    const int index = static_cast<int>((randomUnit() + 1) * (butterflyCount - 1) * 0.5);
    followedButterfly = static_cast<Butterfly*>(butterflies->at(index));
}
