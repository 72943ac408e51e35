// A PPM picture in memory, its loader, and the texture sequences that bracket every textured draw.
#include "core/Image.h"

#include "core/Path.h"
#include "core/System.h"

#include <GL/gl.h>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char BROKEN[] = "Error loading image `%s'\n";
const char NO_MEMORY[] = "Unable to allocate memory\n";

[[noreturn]] void fail(const char* format, const char* fileName) {
    std::fprintf(stderr, format, fileName);
    std::exit(1);
}

// Gives up on a picture: releases what was allocated for it and records the message.
Image* refuse(Image* image, const char* format, PictureFailure* failure) {
    if (image != nullptr) releaseImage(image);
    failure->format = format;
    return nullptr;
}

// Reads a decimal integer the way "%d" does (leading white space, optional sign), saturating an
// out-of-range value instead of leaving it undefined.
bool readInt(FILE* file, int* value) {
    int c;
    do c = std::fgetc(file);
    while (c != EOF && std::isspace(c));
    bool negative = false;
    if (c == '+' || c == '-') {
        negative = c == '-';
        c = std::fgetc(file);
    }
    if (c == EOF || !std::isdigit(c)) return false;
    long long magnitude = 0;
    for (; c != EOF && std::isdigit(c); c = std::fgetc(file))
        if (magnitude <= INT_MAX) magnitude = magnitude * 10 + (c - '0');
    if (c != EOF) std::ungetc(c, file);
    if (negative)
        *value = magnitude > -static_cast<long long>(INT_MIN) ? INT_MIN : static_cast<int>(-magnitude);
    else
        *value = magnitude > INT_MAX ? INT_MAX : static_cast<int>(magnitude);
    return true;
}

// Bytes left in a regular file, or -1 when the stream cannot tell (a pipe, say).
long long remainingBytes(FILE* file) {
    struct stat status;
    long position = std::ftell(file);
    if (position < 0 || fstat(fileno(file), &status) != 0 || !S_ISREG(status.st_mode)) return -1;
    return static_cast<long long>(status.st_size) - position;
}

// The loader's own line, then the system's reason and the folder, so that a person starting the
// program from the wrong place learns where the pictures were expected.
[[noreturn]] void failToOpen(const char* fileName, const char* reason) {
    const std::string rule =
        std::strchr(fileName, '/') == nullptr ? std::string(" (pictures are read from ") + PICTURE_FOLDER_RULE + ")" : "";
    std::fprintf(stderr, "Unable to open file `%s'\n", fileName);
    std::fprintf(stderr, "%s: %s, looked for in %s%s\n", fileName, reason, folderOf(fileName).c_str(), rule.c_str());
    std::exit(1);
}

FILE* openPicture(const char* fileName) {
    const char* reason = nullptr;
    FILE* file = openRegularFile(fileName, &reason);
    if (file == nullptr) failToOpen(fileName, reason);
    return file;
}

}  // namespace

Image* loadPPM(const char* fileName) {
    FILE* file = openPicture(fileName);
    PictureFailure failure;
    Image* image = readPPM(file, &failure);
    if (image == nullptr) {
        if (failure.format == nullptr) {
            errno = failure.error;
            std::perror(fileName);
            std::exit(1);
        }
        fail(failure.format, fileName);
    }
    std::fclose(file);
    return image;
}

Image* readPPM(std::FILE* file, PictureFailure* failure) {
    char line[16];
    errno = 0;
    if (std::fgets(line, sizeof line, file) == nullptr) {
        // A read error names its cause; an empty file has none, and "Success" would be a lie.
        if (errno == 0) return refuse(nullptr, BROKEN, failure);
        failure->format = nullptr;
        failure->error = errno;
        return nullptr;
    }
    if (line[0] != 'P' || line[1] != '6') return refuse(nullptr, "Invalid image format (must be `P6')\n", failure);

    Image* image = new (std::nothrow) Image{0, 0, nullptr};
    if (image == nullptr) return refuse(nullptr, NO_MEMORY, failure);

    int maximum;
    if (!readInt(file, &image->width) || !readInt(file, &image->height) || !readInt(file, &maximum))
        return refuse(image, BROKEN, failure);
    int c;
    do c = std::fgetc(file);
    while (c != EOF && c != '\n');
    if (c == EOF) return refuse(image, BROKEN, failure);

    // A broken header must never size the raster: refuse empty or overflowing sizes, and sizes the
    // file plainly cannot fill, before anything is allocated.
    if (image->width <= 0 || image->height <= 0) return refuse(image, BROKEN, failure);
    std::uint64_t rowBytes = static_cast<std::uint64_t>(image->width) * 3;
    std::uint64_t total = rowBytes * static_cast<std::uint64_t>(image->height);
    if (total > SIZE_MAX) return refuse(image, BROKEN, failure);
    long long remaining = remainingBytes(file);
    if (remaining >= 0 && static_cast<std::uint64_t>(remaining) < total) return refuse(image, BROKEN, failure);

    image->pixels = new (std::nothrow) unsigned char[total];
    if (image->pixels == nullptr) return refuse(image, NO_MEMORY, failure);
    for (int row = 0; row < image->height; ++row)
        if (std::fread(image->pixels + row * rowBytes, 1, rowBytes, file) != rowBytes)
            return refuse(image, BROKEN, failure);
    return image;
}

void releaseImage(Image* image) {
    delete[] image->pixels;
    delete image;
}

void uploadTexture(const Image* image) {
    sendPicture(image);
    enableRepeatTexturing();
}

void sendPicture(const Image* image) {
    glTexImage2D(GL_TEXTURE_2D, 0, 3, image->width, image->height, 0, GL_RGB, GL_UNSIGNED_BYTE, image->pixels);
}

void enableRepeatTexturing() {
    glEnable(GL_TEXTURE_2D);
    // Generation is configured but never enabled: the draws' own coordinates decide.
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
}

void closeTexture() {
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
}
