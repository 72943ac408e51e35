// The camera modes: the view each mode sets up, the pitch limits, and the fly-through path.
#pragma once

// Multiplies the view of the current camera mode onto the modelview matrix.
void applyCamera();

// Keeps the pitch between 10 and 170 degrees from straight up, on the negative side.
void clampPitch();

// Puts the eye on the fly-through path at the current flightTime.
void followFlightPath();
