// The program's clock: one idle call is one tick of every animation, or as many as a steady pace
// calls for.
#pragma once

// Moves the automatic cameras, then one step of the wind, the sun, the rain and every butterfly.
void tick();

// From now on each idle call runs the ticks that this many ticks per second of real time call for,
// rather than one; 0 goes back to one tick per call.
void setPace(int ticksPerSecond);

// The GLUT idle callback: a tick (or the ticks the pace calls for), then a new frame.
void idle();
