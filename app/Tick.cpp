// The program's clock: one idle call is one tick of every animation.
#include "app/Tick.h"

#include <GL/freeglut.h>

void idle() { glutPostRedisplay(); }
