// The program's clock: one idle call is one tick of every animation.
#pragma once

void idle();
