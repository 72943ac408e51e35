// One frame per refresh of the display, as the program's speeds (amounts per frame) and its game
// modes' refresh rate assume: each swap waits for the next refresh where the driver offers a way.
#pragma once

// Asks for a swap interval of one refresh on the window of the current context, through the window
// system's swap-control extension: each platform's file (PlatformLinux.cpp, PlatformWindows.cpp)
// holds its part. True when the driver offers the extension and took the request; false, with
// nothing changed, where it does not.
bool requestVerticalSync();

// Whether the space-separated list of extension names holds the name as a whole word.
bool namesExtension(const char* list, const char* name);
