// Draws one frame, and keeps the matrix convention when the window changes shape.
#pragma once

// Sky, every world object in the daylight colour, the butterflies, the rain, the stars, then the
// overlay flat on the screen: one frame, left in the buffer it was drawn into.
void drawFrame();
// What a frame leaves behind for the next, without drawing the world: the daylight taken into the
// world's tint, and the overlay's countdowns and the logo's pulse.
void passFrame();
// The GLUT display callback: the frame, then the buffers swapped.
void display();
// The viewport over the whole drawing area, whose proportions the perspective may follow, and both
// matrices the identity: the projection stays so, as each frame multiplies the perspective onto the
// modelview matrix.
void setViewport(int width, int height);
// The GLUT reshape callback: the viewport, then a new frame.
void reshape(int width, int height);
// The spotlight, whose intensity rises as the daylight falls, and the material.
void setupLighting();
