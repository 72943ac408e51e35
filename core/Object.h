// Root of every polymorphic class: the three operations that head every slot order.
#pragma once

class Object {
public:
    virtual ~Object();
    // Releases what the object holds without destroying the object itself.
    virtual void releaseContents();
    virtual bool equals(Object* other);
};
