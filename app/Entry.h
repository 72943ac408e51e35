// Start-up: the console dialogue that picks the display mode, and the window or game mode it opens.
#pragma once

#include <cstdio>

// Prints the four display-mode lines of the prompt.
void printModePrompt();

// Reads characters until one of '0' to '3' arrives and returns it; every other character is skipped.
// Returns -1 when the input ends first.
int readDisplayMode(std::FILE* input);

// Opens the game mode of '0' to '2', or the window of '3'; falls back to the window when the game
// mode cannot be entered.
void openDisplay(int mode);

// Keyboard and mouse callbacks, the hidden cursor, linear texture filtering and lighting.
void registerInput();
