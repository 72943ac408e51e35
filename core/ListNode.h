// One link of a List; it refers to its payload without owning it.
#pragma once

#include "core/Object.h"

#include <cstddef>

class ListNode : public Object {
public:
    // The world holds a few hundred thousand links, made one by one while it grows: they come from
    // blocks of their own instead of one general allocation each.
    static void* operator new(std::size_t size);
    static void operator delete(void* node);

    ListNode* prev = nullptr;
    ListNode* next = nullptr;
    void* payload = nullptr;
};
