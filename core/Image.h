// A PPM picture in memory, its loader, and the texture sequences that bracket every textured draw.
#pragma once

#include <cstdio>

struct Image {
    int width;
    int height;
    // width * height * 3 bytes, red, green, blue per pixel, rows in file order (the first is t = 0).
    unsigned char* pixels;
};

// Reads a binary "P6" picture; on any failure prints the reason on standard error and exits with status 1.
Image* loadPPM(const char* fileName);

// Why readPPM made no picture: the message loadPPM prints, as a format with one %s for the file name,
// or, when the first line could not be read, no format and the error number whose text follows the name.
struct PictureFailure {
    const char* format = nullptr;
    int error = 0;
};

// What loadPPM does with the open file, reading it in the same order, without printing or exiting:
// the picture, or nullptr with the failure filled in and nothing left allocated.
Image* readPPM(std::FILE* file, PictureFailure* failure);

// Releases a picture that loadPPM or readPPM made, with its pixels.
void releaseImage(Image* image);

// Uploads the picture into the one texture GL uses and enables texturing with repeat wrapping:
// sendPicture, then enableRepeatTexturing.
void uploadTexture(const Image* image);

// The picture into the current texture, level 0, three components.
void sendPicture(const Image* image);

// Texturing on, object-linear generation configured but left disabled, repeat wrapping in s and t.
void enableRepeatTexturing();

// Closes a textured draw: texturing and both texture generations off, in this order.
void closeTexture();
