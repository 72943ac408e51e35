// The walk interface of every collection: rewind, then next while hasNext.
#pragma once

#include "core/Object.h"

class ListNode;

class Cursor : public Object {
public:
    virtual bool hasNext();
    // Only valid after hasNext has answered true.
    virtual void* next();

    // The node the cursor stands on.
    ListNode* current = nullptr;
};
