// Storage for the small objects the world is made of.
#include "core/Pool.h"

namespace {

// Blocks are kept until the process ends, like the world that lives in them.
constexpr std::size_t BLOCK_BYTES = 1 << 17;

}  // namespace

void Pool::newBlock() {
    blockRest_ = static_cast<unsigned char*>(::operator new(BLOCK_BYTES));
    blockLeft_ = BLOCK_BYTES;
}
