// Storage for the small objects the world is made of.
#include "core/Pool.h"

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

// Blocks are kept until the process ends, like the world that lives in them.
constexpr std::size_t BLOCK_BYTES = 1 << 17;

#if defined(__linux__)
// Every pool carves its blocks from one region of address space, asked to be backed by huge pages:
// the world's few million bytes of vertices and links then cost a handful of page faults instead of
// thousands, each of which clears a fresh page on first touch.
constexpr std::size_t HUGE_PAGE = 1 << 21;
constexpr std::size_t REGION_BYTES = 64 * HUGE_PAGE;

unsigned char* regionRest = nullptr;
std::size_t regionLeft = 0;
bool regionTried = false;

void* regionBlock() {
    if (!regionTried) {
        regionTried = true;
        void* region = mmap(nullptr, REGION_BYTES + HUGE_PAGE, PROT_READ | PROT_WRITE,
                            MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
        if (region != MAP_FAILED) {
            const std::size_t misalignment = reinterpret_cast<std::size_t>(region) % HUGE_PAGE;
            regionRest = static_cast<unsigned char*>(region) + (misalignment == 0 ? 0 : HUGE_PAGE - misalignment);
            regionLeft = REGION_BYTES;
            madvise(regionRest, regionLeft, MADV_HUGEPAGE);
        }
    }
    if (regionLeft < BLOCK_BYTES) return nullptr;
    void* block = regionRest;
    regionRest += BLOCK_BYTES;
    regionLeft -= BLOCK_BYTES;
    return block;
}
#else
void* regionBlock() { return nullptr; }
#endif

}  // namespace

void Pool::newBlock() {
    void* block = regionBlock();
    blockRest_ = static_cast<unsigned char*>(block != nullptr ? block : ::operator new(BLOCK_BYTES));
    blockLeft_ = BLOCK_BYTES;
}
