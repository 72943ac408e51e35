// The world's units: y up, single-precision world units, angles in radians.
#pragma once

// The half turn that the world's angle constants are written from: the sky's noon and midnight and
// its star angles, the camera's pitch limits and turns, the butterflies' wing turn and the trees'
// azimuths. It is not quite pi, and the shapes and timings of the world depend on it staying so.
// The primitive solids go round with the true pi.
constexpr double HALF_TURN = 3.141528;
