// The camera modes.
#include "app/Camera.h"

#include "app/World.h"
#include "core/Units.h"

#include <GL/glu.h>
#include <cmath>

namespace {

// 10 and 170 degrees from straight up, on the negative side: compared in double, stored as floats.
// No float lies between these and the rounding of the same limits written out in decimals.
constexpr double UPPER_PITCH = -HALF_TURN / 18;
constexpr double LOWER_PITCH = -17 * HALF_TURN / 18;

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
