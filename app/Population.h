// Builds the whole world once, before any window exists, and reports its progress on the console.
#pragma once

// The wind's level factors, the terrain, the trees on their grid, the dandelions, the butterflies,
// the rain and the sky, in the order that fixes which random numbers each of them draws.
void populateWorld();

// The kind of every tree slot, all drawn before any is placed: 0 juniper, 1 deciduous, 2 spruce.
// The first six slots cycle through the kinds; the rest are a third each, at random.
void chooseTreeKinds(int* kinds, int count);
