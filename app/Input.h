// Every command a user can give, by key, function key or pop-up menu.
//
//   Esc         quit                        P   rain on or off (the butterflies go)
//   0 1 2 3     fly-through, centre,        M   butterflies on or off (the rain goes)
//               free look, butterfly        R   spotlight on or off
//   W A S D     walk in free look           V   wind on or off
//   arrows      the same as W A S D         +   stronger wind (while it blows)
//   F1          help                        -   weaker wind (while it blows)
//   F7          midnight                    F8  noon
//
// Letters act in either case. The right mouse button opens the menu: "Svetla" (lights: midnight,
// noon, spotlight), "Kamera" (the four cameras), "Ostatni" (butterflies, rain, wind, stronger,
// weaker) and "Konec" (quit).
#pragma once

// The keyboard callback; also called with x = y = 0 by the special keys and the menu.
void keyboard(unsigned char key, int x, int y);
// The special-key callback: help, midnight, noon and the arrows.
void specialKey(int key, int x, int y);
// The callback of every menu, by the value of its entry.
void menuSelect(int value);
// The lights, camera and other menus, then the main menu on the right mouse button.
void buildMenus();
