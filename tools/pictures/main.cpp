// Writes the twelve pictures Florvane loads into the folder given on the command line.
#include "tools/pictures/Painters.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

using namespace pictures;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output-dir>\n", argc > 0 ? argv[0] : "makepictures");
        return 2;
    }
    const std::filesystem::path dir(argv[1]);
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) {
        std::fprintf(stderr, "makepictures: cannot create %s: %s\n", dir.string().c_str(), ec.message().c_str());
        return 1;
    }

    struct Output {
        const char* name;
        Image (*make)();
        bool dither;
    };
    const Output outputs[] = {
        {"trava.ppm", makeGrass, false},
        {"nebe.ppm", makeSky, true},
        {"jalovec.ppm", makeJuniper, false},
        {"leaf.ppm", makeLeaf, false},
        {"bf1.ppm", makeButterflyOrange, false},
        {"bf2.ppm", makeButterflyYellow, false},
        {"bf3.ppm", makeButterflyBlue, false},
        {"bf4.ppm", makeButterflyWhite, false},
        {"title.ppm", makeTitle, true},
        {"f1title.ppm", makeF1Hint, false},
        {"help.ppm", makeHelp, false},
        {"logo.ppm", makeLogo, false},
    };
    for (const Output& o : outputs) {
        const Image img = o.make();
        if (!writePpm(dir / o.name, img, o.dither)) {
            std::fprintf(stderr, "makepictures: cannot write %s\n", (dir / o.name).string().c_str());
            return 1;
        }
    }
    return 0;
}
