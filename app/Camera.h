// The camera modes: the view each mode sets up, the pitch limits, and the fly-through path.
#pragma once

// Height of the eye at the centre of the landscape, and of the point the fly-through looks at.
constexpr float CENTRE_EYE_HEIGHT = 15;

// The start camera: mode 0's eye at the centre of the landscape, looking along yaw and pitch 0.
// It is moved onto the fly-through path and the pitch into its limits at once, so the first frame,
// which may come before the first tick, never looks at its own eye or along its up vector.
void setStartCamera();

// Multiplies the view of the current camera mode onto the modelview matrix.
void applyCamera();

// Keeps the pitch between 10 and 170 degrees from straight up, on the negative side.
void clampPitch();

// Puts the eye on the fly-through path at the current flightTime.
void followFlightPath();

// The passive-motion callback: the pointer turns the view; at the edge of the 199 x 199 area at the
// window's top-left corner it is warped back to (100, 100) instead, which turns nothing.
void passiveMotion(int x, int y);

// One free-look step of length 1 along the walking direction, refused as a whole when it would end
// 50 or more from the ground point below the centre; only in camera mode 2.
void moveCamera();

// Picks the butterfly camera mode 3 follows, at random among all but the last.
void followRandomButterfly();
