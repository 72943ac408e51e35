// The camera modes.
#include "app/Camera.h"

#include "app/World.h"

#include <GL/glu.h>
#include <cmath>

namespace {

// 3.141528 / 18 and 17 * 3.141528 / 18: the pitch limits, compared in double, stored as floats.
constexpr double UPPER_PITCH = -0.17452933333333334;
constexpr double LOWER_PITCH = -2.9669986666666666;
// Where the fly-through camera looks: the centre of the landscape, 15 units up.
constexpr double LOOK_HEIGHT = 15;

}  // namespace

void applyCamera() {
    const double yaw = lookAngles[0], pitch = lookAngles[1];
    switch (cameraMode) {
    case 0:
        gluLookAt(eye[0], eye[1], eye[2], worldCentreX, LOOK_HEIGHT, worldCentreZ, 0, 1, 0);
        break;
    case 1:
        // Only the horizontal part of the view direction, looking a fixed 0.3 upwards.
        gluLookAt(eye[0], eye[1], eye[2], eye[0] + std::sin(-yaw) * std::sin(pitch), eye[1] + 0.3,
                  eye[2] - std::cos(-yaw) * std::sin(pitch), 0, 1, 0);
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
