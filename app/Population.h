// Builds the whole world once, before any window exists, and reports its progress on the console.
#pragma once

// The wind's level factors, the terrain, the trees on their grid, the dandelions, the butterflies,
// the rain and the sky, in the order that fixes which random numbers each of them draws.
void populateWorld();

// The kind of every tree slot, all drawn before any is placed: 0 juniper, 1 deciduous, 2 spruce.
// The first six slots cycle through the kinds; the rest are a third each, at random.
void chooseTreeKinds(int* kinds, int count);

// True when the 2a x 2a cells around (i, j), a = (d + 1) / 2, lie inside the n x n grid and are all free.
bool isAreaFree(int i, int j, unsigned char** grid, int d, int n);

// Takes the d x d cells around (i, j); they always lie inside the area isAreaFree tested.
void occupyArea(int i, int j, unsigned char** grid, int d);
