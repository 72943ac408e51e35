// The world globals.
#include "app/World.h"

float eye[3];
float lookAngles[2];
float moveAngles[2];
Wind* wind;
