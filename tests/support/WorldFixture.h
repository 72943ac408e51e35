// A freshly populated world for the shell's tests, grown from a fixed seed with its console captured.
#pragma once

#include "app/Population.h"
#include "app/World.h"
#include "world/Wind.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

// Resets the world globals to their start values and populates the world from the seed; returns
// what population printed.
inline std::string populateFromSeed(unsigned seed) {
    wind = new Wind;
    cameraMode = 0;
    flightTime = 0;
    eye[0] = 50;
    eye[1] = 15;
    eye[2] = 50;
    lookAngles[0] = lookAngles[1] = 0;
    std::srand(seed);
    testing::internal::CaptureStdout();
    populateWorld();
    return testing::internal::GetCapturedStdout();
}
