// What the core asks of Windows.
#include "core/System.h"

#include <windows.h>

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

const char NOT_A_REGULAR_FILE[] = "not a regular file (a pipe or a device)";
const char PICTURE_FOLDER_RULE[] = "the program's folder";

// Large pages need a privilege that programs do not have, so ordinary pages back the stretch.
unsigned char* reserveAddressSpace(std::size_t bytes) {
    return static_cast<unsigned char*>(VirtualAlloc(nullptr, bytes, MEM_RESERVE, PAGE_NOACCESS));
}

// Windows charges memory when it is committed, not when it is touched: commit by the block.
bool commitAddressSpace(unsigned char* start, std::size_t bytes) {
    return VirtualAlloc(start, bytes, MEM_COMMIT, PAGE_READWRITE) != nullptr;
}

// Opening a pipe or a device (CON, NUL, COM1) does not wait; reading it could, so it is refused.
std::FILE* openRegularFile(const char* fileName, const char** reason) {
    std::FILE* file = std::fopen(fileName, "rb");
    if (file == nullptr) {
        *reason = std::strerror(errno);
        return nullptr;
    }
    struct _stat64 status;
    if (_fstat64(_fileno(file), &status) != 0 || (status.st_mode & _S_IFMT) != _S_IFREG) {
        std::fclose(file);
        *reason = NOT_A_REGULAR_FILE;
        return nullptr;
    }
    return file;
}
