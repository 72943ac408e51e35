// Draws one frame, and keeps the matrix convention when the window changes shape.
#pragma once

void display();
// The projection stays the identity: each frame multiplies the perspective onto the modelview matrix.
void reshape(int width, int height);
