// Storage for the small objects the world is made of.
#include "core/Pool.h"

#include "core/System.h"

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

void reserveRegion() {
    regionTried = true;
    regionStart = reserveAddressSpace(REGION_BLOCKS * BLOCK_BYTES);
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
    unsigned char* block = regionStart + blocksUsed * BLOCK_BYTES;
    if (!commitAddressSpace(block, BLOCK_BYTES)) return false;
    blockOwners[blocksUsed] = this;
    blockRest_ = block;
    blockLeft_ = BLOCK_BYTES;
    ++blocksUsed;
    return true;
}
