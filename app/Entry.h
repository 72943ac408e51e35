// Start-up, in the order the entry function runs it: the objects that exist before the world, the
// world, the console dialogue that picks the display mode, the window or game mode, and the callbacks.
#pragma once

#include <cstdio>

// The objects that exist before the banner, in this order: the overlay with its four pictures, then
// the wind, switched off at strength 5.
void createStaticObjects();

// The start camera, the banner, the random generator seeded, and the whole world populated.
void growWorld(unsigned seed);

// Prints the four display-mode lines of the prompt and reads the mode; ends the program with a
// message and status 1 when the input ends before a mode is chosen.
int askDisplayMode(std::FILE* input);

// Prints the four display-mode lines of the prompt.
void printModePrompt();

// Reads characters until one of '0' to '3' arrives and returns it; every other character is skipped.
// Returns -1 when the input ends first.
int readDisplayMode(std::FILE* input);

// Opens the game mode of '0' to '2', or the window of '3'; falls back to the window when the game
// mode cannot be entered. Each frame then waits for the display's refresh where the driver offers it.
void openDisplay(int mode);

// Keyboard and mouse callbacks, the hidden cursor, linear texture filtering and lighting.
void registerInput();

// The GL state every frame starts from: the texture filtering below, and lighting on.
void setInitialGLState();

// Linear filtering of the one texture every textured draw re-uploads, and packed picture rows.
void setTextureFiltering();

// Every callback in its order (input, display, reshape, special keys, idle, menus), with the view
// made full screen between the special keys and the idle callback.
void registerCallbacks();
