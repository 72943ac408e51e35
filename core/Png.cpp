// Writes pictures as PNG files, for the snapshots and the desktop icon.
#include "core/Png.h"

#include <png.h>

#include <cstring>

bool writePNG(const std::string& path, int width, int height, int channels, const unsigned char* pixels,
              bool bottomUp, std::string& error) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = channels == 4 ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    // Quicker to write, a little larger: a snapshot is made to be looked at soon.
    image.flags = PNG_IMAGE_FLAG_FAST;
    // A negative stride walks the rows from the last in memory to the first.
    const png_int_32 stride = static_cast<png_int_32>(width * channels) * (bottomUp ? -1 : 1);
    if (png_image_write_to_file(&image, path.c_str(), 0, pixels, stride, nullptr)) return true;
    error = image.message;
    return false;
}
