// The walk interface of every collection.
#include "core/Cursor.h"

bool Cursor::hasNext() { return false; }

void* Cursor::next() { return nullptr; }
