// Root of every polymorphic class.
#include "core/Object.h"

Object::~Object() = default;

void Object::releaseContents() {}

bool Object::equals(Object*) { return false; }
