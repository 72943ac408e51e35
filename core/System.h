// What the core asks of the operating system: address space for the pools, and picture files opened
// so that no kind of file can keep the reader waiting.
#pragma once

#include <cstddef>
#include <cstdio>

// Reserves a stretch of address space, not yet backed by memory; null when the system refuses.
unsigned char* reserveAddressSpace(std::size_t bytes);

// Makes part of a reserved stretch usable; false when the system has no memory for it.
bool commitAddressSpace(unsigned char* start, std::size_t bytes);

// Opens a regular file for reading in binary; anything else (a missing file, a pipe, a device) gives
// null, with the reason.
std::FILE* openRegularFile(const char* fileName, const char** reason);

extern const char NOT_A_REGULAR_FILE[];

// Where a picture given by a bare name is read from, as the loader's message says it.
extern const char PICTURE_FOLDER_RULE[];
