// Storage for the small objects the world is made of by the hundred thousand: carved from large
// blocks instead of one general allocation each, and reused when dropped. Single-threaded, like the
// program.
#pragma once

#include <cstddef>
#include <new>

class Pool {
public:
    // Constant-initialised, so that a pool works during static initialisation too.
    constexpr explicit Pool(std::size_t objectSize)
        : objectSize_(objectSize),
          slotSize_((objectSize + alignof(std::max_align_t) - 1) / alignof(std::max_align_t) *
                    alignof(std::max_align_t)) {}
    Pool(const Pool&) = delete;
    Pool& operator=(const Pool&) = delete;

    // Storage for one object of the pool's size. Any other size (a derived class), and every object
    // once the pools' region is spent or could not be reserved, is one general allocation.
    void* take(std::size_t size) {
        if (size == objectSize_)
            if (void* storage = takeCarved()) return storage;
        return ::operator new(size);
    }
    // Storage carved from the region, or null when there is none: for owners that fall back to an
    // allocation of their own kind.
    void* takeCarved() {
        if (!POOLED) return nullptr;
        if (free_ != nullptr) {
            FreeSlot* slot = free_;
            free_ = slot->next;
            return slot;
        }
        if (blockLeft_ < slotSize_ && !newBlock()) return nullptr;
        void* storage = blockRest_;
        blockRest_ += slotSize_;
        blockLeft_ -= slotSize_;
        return storage;
    }
    // Gives back what take gave.
    void give(void* storage) {
        if (!release(storage)) ::operator delete(storage);
    }
    // Returns carved storage to the pool that carved it, whatever that is; false for storage that
    // was not carved, which stays the caller's to free.
    static bool release(void* storage);

private:
    // The sanitizer build takes every object from the general allocator, so that it still sees each one.
#if defined(__SANITIZE_ADDRESS__)
    static constexpr bool POOLED = false;
#else
    static constexpr bool POOLED = true;
#endif

    struct FreeSlot {
        FreeSlot* next;
    };

    bool newBlock();

    std::size_t objectSize_;
    std::size_t slotSize_;
    FreeSlot* free_ = nullptr;
    unsigned char* blockRest_ = nullptr;
    std::size_t blockLeft_ = 0;
};
