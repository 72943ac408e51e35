// A freshly populated world for the shell's tests, grown from a fixed seed with its console captured.
#pragma once

#include "app/Entry.h"
#include "app/World.h"

#include <gtest/gtest.h>

// Creates the static objects anew, resets the camera mode, and grows the world of the seed the way
// the program does; returns what was printed.
inline std::string populateFromSeed(unsigned seed) {
    createStaticObjects();
    cameraMode = 0;
    flightTime = 0;
    testing::internal::CaptureStdout();
    growWorld(seed);
    return testing::internal::GetCapturedStdout();
}
