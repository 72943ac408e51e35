// The PPM writer with its dithering.
#include "tools/pictures/Raster.h"

#include "tools/pictures/Noise.h"

#include <fstream>

namespace pictures {

bool writePpm(const std::filesystem::path& path, const Image& img, bool dither) {
    std::vector<unsigned char> bytes;
    bytes.reserve(img.px.size() * 3);
    for (int y = 0; y < img.h; ++y) {
        for (int x = 0; x < img.w; ++x) {
            const Rgb& c = img.at(x, y);
            const float channel[3] = {c.r, c.g, c.b};
            for (int k = 0; k < 3; ++k) {
                float v = clamp01(channel[k]) * 255.0f;
                if (dither) v += hashUnit(x * 3 + k, y, 0xD17Au) - 0.5f;
                bytes.push_back(static_cast<unsigned char>(std::min(255.0f, std::max(0.0f, v + 0.5f))));
            }
        }
    }
    std::ofstream out(path, std::ios::binary);
    if (!out) return false;
    out << "P6\n" << img.w << ' ' << img.h << "\n255\n";
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace pictures
