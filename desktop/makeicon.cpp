// Makes the desktop icon from the logo: a square PNG with the logo across its middle.
#include "core/Image.h"
#include "snapshot/Png.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "Usage: makeicon LOGO.ppm ICON.png\n");
        return 2;
    }
    Image* logo = loadPPM(argv[1]);
    const int side = std::max(logo->width, logo->height);
    const int left = (side - logo->width) / 2, top = (side - logo->height) / 2;
    std::vector<unsigned char> icon(static_cast<size_t>(side) * side * 4, 0);
    for (int y = 0; y < logo->height; ++y)
        for (int x = 0; x < logo->width; ++x) {
            const unsigned char* from = logo->pixels + (static_cast<size_t>(y) * logo->width + x) * 3;
            unsigned char* to = &icon[(static_cast<size_t>(y + top) * side + x + left) * 4];
            // The program adds the logo onto the scene, so its black is see-through: here too.
            const unsigned char strength = std::max({from[0], from[1], from[2]});
            for (int c = 0; c < 3; ++c) to[c] = strength ? static_cast<unsigned char>(from[c] * 255 / strength) : 0;
            to[3] = strength;
        }
    releaseImage(logo);
    // A failed run must leave no half-written icon that the build would take for a made one.
    OutputFile output;
    std::string error;
    if (!output.prepare(argv[2], error) || !writePNG(output, side, side, 4, icon.data(), false, error)) {
        std::fprintf(stderr, "makeicon: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
