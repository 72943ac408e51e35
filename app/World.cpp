// The world globals.
#include "app/World.h"

int treeSlotCount = 25;
int butterflyCount = 10;
float worldCentreX = 50.0f, worldCentreZ = 50.0f;
int windStrength = 5;
int butterfliesOn = 1;
int rainOn = 0;
int spotlightOn = 0;
int windOn = 0;
int cameraMode = 0;
float flightTime = 0.0f;
int lastMouseX = 100, lastMouseY = 100;
float eye[3];
float lookAngles[2];
float moveAngles[2];
float* worldTint;
List* worldObjects;
List* butterflies;
Rain* rain;
Sky* sky;
Butterfly* followedButterfly;
Wind* wind;
Overlay* overlay;
