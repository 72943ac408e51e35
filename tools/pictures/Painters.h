// The twelve pictures Florvane loads, each painted from nothing by one function.
#pragma once

#include "tools/pictures/Raster.h"

namespace pictures {

// Repeating textures of the ground and the sky panorama (GroundAndSky.cpp).
Image makeGrass();
Image makeSky();

// Plant textures (JuniperAndLeaf.cpp).
Image makeJuniper();
Image makeLeaf();

// The four butterflies, wings spread either side of the body (Butterflies.cpp).
Image makeButterflyOrange();
Image makeButterflyYellow();
Image makeButterflyBlue();
Image makeButterflyWhite();

// The lettered pictures: title card, help hint, help panel and logo (Cards.cpp).
Image makeTitle();
Image makeF1Hint();
Image makeHelp();
Image makeLogo();

}  // namespace pictures
