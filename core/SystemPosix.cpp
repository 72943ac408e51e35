// What the core asks of a POSIX system.
#include "core/System.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

const char NOT_A_REGULAR_FILE[] = "not a regular file (a pipe, a device or a socket)";
const char PICTURE_FOLDER_RULE[] = "the working directory";

// Backed by huge pages where the system allows it: the world's few million bytes then cost a
// handful of page faults instead of thousands, each of which clears a fresh page on first touch.
// Only whole aligned huge pages can back it, so the stretch starts at such a boundary.
constexpr std::size_t HUGE_PAGE_BYTES = std::size_t{1} << 21;

unsigned char* reserveAddressSpace(std::size_t bytes) {
    void* region = mmap(nullptr, bytes + HUGE_PAGE_BYTES, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (region == MAP_FAILED) return nullptr;
    const std::uintptr_t address = reinterpret_cast<std::uintptr_t>(region);
    unsigned char* start =
        static_cast<unsigned char*>(region) + (HUGE_PAGE_BYTES - address % HUGE_PAGE_BYTES) % HUGE_PAGE_BYTES;
    madvise(start, bytes, MADV_HUGEPAGE);
    return start;
}

// Pages are backed when first touched.
bool commitAddressSpace(unsigned char*, std::size_t) { return true; }

// Opened without blocking: a pipe or a device would otherwise wait for a writer for ever.
std::FILE* openRegularFile(const char* fileName, const char** reason) {
    const int descriptor = open(fileName, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat status;
    if (descriptor < 0 || fstat(descriptor, &status) != 0) {
        *reason = std::strerror(errno);
        if (descriptor >= 0) close(descriptor);
        return nullptr;
    }
    if (S_ISFIFO(status.st_mode) || S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode) || S_ISSOCK(status.st_mode)) {
        *reason = NOT_A_REGULAR_FILE;
        close(descriptor);
        return nullptr;
    }
    // Reads of a regular file never wait; the flag only mattered for the open itself.
    fcntl(descriptor, F_SETFL, fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    std::FILE* file = fdopen(descriptor, "rb");
    if (file == nullptr) {
        *reason = std::strerror(errno);
        close(descriptor);
    }
    return file;
}
