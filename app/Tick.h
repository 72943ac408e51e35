// The program's clock: one idle call is one tick of every animation.
#pragma once

// Moves the automatic cameras, then one step of the wind, the sun, the rain and every butterfly.
void tick();

// The GLUT idle callback: a tick, then a new frame.
void idle();
