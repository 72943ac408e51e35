// The world globals: the state every part of the shell reads and writes, each declared once here.
#pragma once

class Wind;

// Camera position x, y, z.
extern float eye[3];
// Yaw and pitch of the free-look camera, radians.
extern float lookAngles[2];
// Scratch copy of lookAngles that the movement keys turn before a step.
extern float moveAngles[2];

// The global wind field; created by static initialisation, switched off, strength 5.
extern Wind* wind;
