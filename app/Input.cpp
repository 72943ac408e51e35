// Keyboard commands.
#include "app/Input.h"

#include <cstdlib>

void keyboard(unsigned char key, int, int) {
    if (key == 27) std::exit(0);
}
