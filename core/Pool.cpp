// Storage for the small objects the world is made of.
#include "core/Pool.h"

#include <sys/mman.h>

#include <cstdint>

namespace {

// Every pool carves its blocks from one reserved stretch of address space, so that an address
// alone tells carved storage from any other, and which pool it belongs to. Reserving costs nothing
// until a page is touched; the world needs some ten megabytes. Blocks are kept until the process
// ends, like the world that lives in them.
constexpr std::size_t BLOCK_BYTES = 1 << 17;
constexpr std::size_t REGION_BLOCKS = 8192;

unsigned char* regionStart = nullptr;
std::size_t blocksUsed = 0;
bool regionTried = false;
Pool* blockOwners[REGION_BLOCKS];

// Backed by huge pages where the system allows it: the world's few million bytes then cost a
// handful of page faults instead of thousands, each of which clears a fresh page on first touch.
// Only whole aligned huge pages can back it, so the region starts at such a boundary.
constexpr std::size_t HUGE_PAGE_BYTES = std::size_t{1} << 21;

void reserveRegion() {
    regionTried = true;
    const std::size_t bytes = REGION_BLOCKS * BLOCK_BYTES;
    void* region = mmap(nullptr, bytes + HUGE_PAGE_BYTES, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (region == MAP_FAILED) return;
    const std::uintptr_t address = reinterpret_cast<std::uintptr_t>(region);
    regionStart = static_cast<unsigned char*>(region) + (HUGE_PAGE_BYTES - address % HUGE_PAGE_BYTES) % HUGE_PAGE_BYTES;
    madvise(regionStart, bytes, MADV_HUGEPAGE);
}

}  // namespace

bool Pool::release(void* storage) {
    const std::uintptr_t offset =
        reinterpret_cast<std::uintptr_t>(storage) - reinterpret_cast<std::uintptr_t>(regionStart);
    if (regionStart == nullptr || offset >= blocksUsed * BLOCK_BYTES) return false;
    Pool* owner = blockOwners[offset / BLOCK_BYTES];
    FreeSlot* slot = static_cast<FreeSlot*>(storage);
    slot->next = owner->free_;
    owner->free_ = slot;
    return true;
}

bool Pool::newBlock() {
    if (!regionTried) reserveRegion();
    if (regionStart == nullptr || blocksUsed == REGION_BLOCKS) return false;
    blockOwners[blocksUsed] = this;
    blockRest_ = regionStart + blocksUsed * BLOCK_BYTES;
    blockLeft_ = BLOCK_BYTES;
    ++blocksUsed;
    return true;
}
