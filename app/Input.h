// Keyboard commands.
//   Esc  quit
#pragma once

void keyboard(unsigned char key, int x, int y);
