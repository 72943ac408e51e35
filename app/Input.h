// Every command a user can give, by key, function key or pop-up menu. The keys are listed once, in
// the key table of Input.cpp, which both programs' help prints; letters and key names act in either
// case. The right mouse button opens the menu: "Svetla" (lights: midnight, noon, spotlight), "Kamera"
// (the four cameras), "Ostatni" (butterflies, rain, wind, stronger, weaker) and "Konec" (quit).
#pragma once

#include <cstdio>
#include <string>

// A key as the program receives it: a character for the keyboard handler, or a GLUT special key.
struct Key {
    // As a user writes it: "W", "+", "Esc", "Up", "F8".
    const char* name;
    bool special;
    int code;
};

// The key of the key table with this name, in any case; nullptr for a key the program ignores.
const Key* findKey(const std::string& name);

// The key table as a help section, a line a command.
void printKeyTable(std::FILE* stream);

// What pressing the key does: the keyboard or special-key handler with it.
void pressKey(const Key& key);

// The keyboard callback; also called with x = y = 0 by the special keys and the menu.
void keyboard(unsigned char key, int x, int y);
// The special-key callback: help, midnight, noon and the arrows.
void specialKey(int key, int x, int y);
// The callback of every menu, by the value of its entry.
void menuSelect(int value);
// The lights, camera and other menus, then the main menu on the right mouse button.
void buildMenus();
