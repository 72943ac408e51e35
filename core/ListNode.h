// One link of a List; it refers to its payload without owning it.
#pragma once

#include "core/Object.h"

class ListNode : public Object {
public:
    ListNode* prev = nullptr;
    ListNode* next = nullptr;
    void* payload = nullptr;
};
