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

    // Storage for one object of the pool's size; any other size (a derived class) comes from the
    // general allocator.
    void* take(std::size_t size) {
        if (!POOLED || size != objectSize_) return ::operator new(size);
        if (free_ != nullptr) {
            FreeSlot* slot = free_;
            free_ = slot->next;
            return slot;
        }
        if (blockLeft_ < slotSize_) newBlock();
        void* storage = blockRest_;
        blockRest_ += slotSize_;
        blockLeft_ -= slotSize_;
        return storage;
    }
    // Gives back what take gave, of the same size.
    void give(void* storage, std::size_t size) {
        if (!POOLED || size != objectSize_) return ::operator delete(storage);
        FreeSlot* slot = static_cast<FreeSlot*>(storage);
        slot->next = free_;
        free_ = slot;
    }

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

    void newBlock();

    std::size_t objectSize_;
    std::size_t slotSize_;
    FreeSlot* free_ = nullptr;
    unsigned char* blockRest_ = nullptr;
    std::size_t blockLeft_ = 0;
};
