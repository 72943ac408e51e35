// Draws one frame, and keeps the matrix convention when the window changes shape.
#pragma once

// Sky, every world object in the daylight colour, the butterflies, the rain, the stars, then the
// overlay flat on the screen.
void display();
// The projection stays the identity: each frame multiplies the perspective onto the modelview matrix.
void reshape(int width, int height);
// The spotlight, whose intensity rises as the daylight falls, and the material.
void setupLighting();
