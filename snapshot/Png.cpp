// Writes pictures as PNG files, for the snapshots and the desktop icon.
#include "snapshot/Png.h"

#include <png.h>

#include <cerrno>
#include <cstring>

bool writePNG(OutputFile& output, int width, int height, int channels, const unsigned char* pixels, bool bottomUp,
              std::string& error) {
    std::FILE* file = output.open(error);
    if (file == nullptr) return false;
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
    errno = 0;
    if (png_image_write_to_stdio(&image, file, 0, pixels, stride, nullptr)) return output.commit(error);
    // The system's reason says more than the library's "Write Error".
    const std::string reason = std::ferror(file) && errno != 0 ? std::strerror(errno) : image.message;
    error = "cannot write " + output.path() + ": " + reason;
    output.discard();
    return false;
}
