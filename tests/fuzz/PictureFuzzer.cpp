// Arbitrary bytes read as a picture file, the way loadPPM reads one, under libFuzzer.
#include "core/Image.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sys/mman.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A regular file in memory: the reader sizes the raster against it as against a picture file.
    std::FILE* file = fdopen(memfd_create("picture", 0), "w+b");
    if (file == nullptr || std::fwrite(data, 1, size, file) != size) std::abort();
    std::rewind(file);
    PictureFailure failure;
    Image* image = readPPM(file, &failure);
    std::fclose(file);
    // A picture never holds more raster than the file did.
    if (image != nullptr && std::size_t{3} * image->width * image->height > size) std::abort();
    if (image != nullptr) releaseImage(image);
    return 0;
}
