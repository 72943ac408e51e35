// The single source of randomness: every random decision of the world goes through it.
#pragma once

// (rand() mod 1000) * 0.002 - 1: one of -1.0, -0.998, ..., 0.998; never +1.
double randomUnit();

// A fresh makePoint array of three draws times the amplitude. The draws are taken for z first, then
// y, then x, the order the generators' worlds depend on.
float* randomOffset(double amplitude);
