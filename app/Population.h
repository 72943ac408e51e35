// Builds the whole world once, before any window exists, and reports its progress on the console.
#pragma once

void populateWorld();
