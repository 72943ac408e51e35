// Makes a desktop icon of any size from the logo: a square PNG with the logo across its middle, or for
// a name ending in .ico a Windows icon that holds the smaller standard sizes too.
#include "core/Image.h"
#include "snapshot/Png.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Weights that take `from` pixels of one axis to `to` pixels, row by row: a tent as wide as a target
// pixel when shrinking, so every source pixel counts, and as wide as a source pixel when growing,
// which is linear interpolation. At the same size it is exactly the identity.
std::vector<float> axisWeights(int from, int to) {
    const float scale = static_cast<float>(from) / static_cast<float>(to), radius = std::max(1.0f, scale);
    std::vector<float> weights(static_cast<size_t>(to) * from, 0.0f);
    for (int i = 0; i < to; ++i) {
        float* row = &weights[static_cast<size_t>(i) * from];
        const float centre = (static_cast<float>(i) + 0.5f) * scale - 0.5f;
        float sum = 0.0f;
        for (int j = 0; j < from; ++j) sum += row[j] = std::max(0.0f, 1.0f - std::fabs(j - centre) / radius);
        for (int j = 0; j < from; ++j) row[j] /= sum;
    }
    return weights;
}

// The square of the logo's larger side with the logo in its middle, scaled to size x size. The logo
// is added onto the scene, so its colours already carry their coverage and are filtered as they are.
std::vector<float> scaledLogo(const Image& logo, int size) {
    const int side = std::max(logo.width, logo.height);
    const int left = (side - logo.width) / 2, top = (side - logo.height) / 2;
    const std::vector<float> weights = axisWeights(side, size);
    // Across first: one row of the result per row of the logo; the square's empty rows stay zero.
    std::vector<float> across(static_cast<size_t>(side) * size * 3, 0.0f);
    for (int y = 0; y < logo.height; ++y)
        for (int x = 0; x < size; ++x)
            for (int j = 0; j < logo.width; ++j) {
                const float weight = weights[static_cast<size_t>(x) * side + j + left];
                const unsigned char* from = logo.pixels + (static_cast<size_t>(y) * logo.width + j) * 3;
                for (int c = 0; c < 3; ++c)
                    across[(static_cast<size_t>(y + top) * size + x) * 3 + c] += weight * from[c];
            }
    std::vector<float> result(static_cast<size_t>(size) * size * 3, 0.0f);
    for (int y = 0; y < size; ++y)
        for (int j = 0; j < side; ++j) {
            const float weight = weights[static_cast<size_t>(y) * side + j];
            if (weight == 0.0f) continue;
            for (int x = 0; x < size * 3; ++x)
                result[static_cast<size_t>(y) * size * 3 + x] += weight * across[static_cast<size_t>(j) * size * 3 + x];
        }
    return result;
}

// The logo as size x size pixels of red, green, blue and alpha.
std::vector<unsigned char> iconPixels(const Image& logo, int size) {
    const std::vector<float> colours = scaledLogo(logo, size);
    std::vector<unsigned char> icon(colours.size() / 3 * 4);
    for (size_t i = 0; i < colours.size() / 3; ++i) {
        unsigned char from[3];
        for (int c = 0; c < 3; ++c) from[c] = static_cast<unsigned char>(std::lround(std::min(colours[i * 3 + c], 255.0f)));
        // The program adds the logo onto the scene, so its black is see-through: here too.
        const unsigned char strength = std::max({from[0], from[1], from[2]});
        for (int c = 0; c < 3; ++c) icon[i * 4 + c] = strength ? static_cast<unsigned char>(from[c] * 255 / strength) : 0;
        icon[i * 4 + 3] = strength;
    }
    return icon;
}

void appendLittleEndian(std::vector<unsigned char>& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

// The icon directory, then per size a 32-bit bitmap with alpha of twice the height: the colours
// from the bottom row up, then the all-zero mask that alpha makes unused.
bool writeICO(OutputFile& output, const Image& logo, const std::vector<int>& sizes, std::string& error) {
    std::vector<unsigned char> directory, images;
    for (std::uint32_t value : {0u, 1u, static_cast<std::uint32_t>(sizes.size())}) appendLittleEndian(directory, value, 2);
    for (int size : sizes) {
        const std::uint32_t side = static_cast<std::uint32_t>(size), maskBytes = (side + 31) / 32 * 4 * side;
        const std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * sizes.size() + images.size());
        // A side of 256 is written as 0.
        for (std::uint32_t value : {side % 256, side % 256, 0u, 0u}) appendLittleEndian(directory, value, 1);
        for (std::uint32_t value : {1u, 32u}) appendLittleEndian(directory, value, 2);
        for (std::uint32_t value : {40 + side * side * 4 + maskBytes, offset}) appendLittleEndian(directory, value, 4);
        for (std::uint32_t value : {40u, side, 2 * side}) appendLittleEndian(images, value, 4);
        for (std::uint32_t value : {1u, 32u}) appendLittleEndian(images, value, 2);
        for (int i = 0; i < 6; ++i) appendLittleEndian(images, 0, 4);
        const std::vector<unsigned char> rgba = iconPixels(logo, size);
        for (int y = size - 1; y >= 0; --y)
            for (int x = 0; x < size; ++x)
                for (int c : {2, 1, 0, 3}) images.push_back(rgba[(static_cast<size_t>(y) * size + x) * 4 + c]);
        images.resize(images.size() + maskBytes, 0);
    }
    directory.insert(directory.end(), images.begin(), images.end());
    std::FILE* file = output.open(error);
    if (file == nullptr) return false;
    if (std::fwrite(directory.data(), 1, directory.size(), file) == directory.size()) return output.commit(error);
    error = "cannot write " + output.path();
    output.discard();
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    char* end = nullptr;
    const long size = argc == 4 ? std::strtol(argv[2], &end, 10) : 0;
    if (argc != 4 || *end != '\0' || size < 16 || size > 1024) {
        std::fprintf(stderr, "Usage: makeicon LOGO.ppm SIZE ICON.png|ICON.ico   (SIZE in pixels, 16 to 1024)\n");
        return 2;
    }
    const int side = static_cast<int>(size);
    const std::string path = argv[3];
    const bool windows = path.size() > 4 && path.compare(path.size() - 4, 4, ".ico") == 0;
    if (windows && side > 256) {
        std::fprintf(stderr, "makeicon: a Windows icon is at most 256 pixels wide\n");
        return 2;
    }
    Image* logo = loadPPM(argv[1]);
    std::vector<int> sizes;
    for (int standard : {16, 32, 48})
        if (standard < side) sizes.push_back(standard);
    sizes.push_back(side);
    // A failed run must leave no half-written icon that the build would take for a made one.
    OutputFile output;
    std::string error;
    const bool written = output.prepare(path, error) &&
                         (windows ? writeICO(output, *logo, sizes, error)
                                  : writePNG(output, side, side, 4, iconPixels(*logo, side).data(), false, error));
    releaseImage(logo);
    if (!written) {
        std::fprintf(stderr, "makeicon: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
