// The single source of randomness.
#include "core/Random.h"

#include <cstdlib>

double randomUnit() { return (std::rand() % 1000) * 0.002 - 1.0; }
