// The world globals: the state every part of the shell reads and writes, each declared once here.
#pragma once

class Butterfly;
class List;
class Overlay;
class Rain;
class Sky;
class Wind;

// Number of tree slots tried during population.
extern int treeSlotCount;
// Number of butterflies created.
extern int butterflyCount;
// Centre of the terrain in world x and z.
extern float worldCentreX, worldCentreZ;
// Wind strength shown to the user, 0 to 10.
extern int windStrength;
// Butterflies drawn and the butterfly camera allowed.
extern int butterfliesOn;
// Rain shown.
extern int rainOn;
// The spotlight (GL light 0) on.
extern int spotlightOn;
// The wind switched on.
extern int windOn;
// 0 fly-through, 1 centre of the landscape, 2 free look, 3 butterfly.
extern int cameraMode;
// Parameter of the fly-through path.
extern float flightTime;
// Last pointer position seen by the mouse look.
extern int lastMouseX, lastMouseY;
// Camera position x, y, z.
extern float eye[3];
// Yaw and pitch of the free-look camera, radians.
extern float lookAngles[2];
// Scratch copy of lookAngles that the movement keys turn before a step.
extern float moveAngles[2];
// The shared light colour every world object points at as its tint; each frame copies the sky's
// daylight into it.
extern float* worldTint;
// Terrain, trees and dandelions, in creation order, which is also drawing order.
extern List* worldObjects;
// The butterflies, in creation order.
extern List* butterflies;
// The rain column.
extern Rain* rain;
// Sky dome, sun and stars.
extern Sky* sky;
// The butterfly camera mode 3 follows.
extern Butterfly* followedButterfly;
// The global wind field; created before the world, switched off, strength 5.
extern Wind* wind;
// Title, help, hint, logo and status line; created before the wind, ahead of the banner.
extern Overlay* overlay;
