// A point of 2, 3 or 4 floats over a component array that also carries a mark slot.
#pragma once

#include "core/Object.h"

#include <cstddef>

class List;

class Vertex final : public Object {
public:
    // A three-dimensional vertex over the given array (x, y, z, mark).
    explicit Vertex(float* components);
    Vertex(int dimension, float* components);
    // The component array is not owned: several vertices may share one.
    ~Vertex() override;
    // The world is made of a few hundred thousand vertices: they come from a pool of their own.
    static void* operator new(std::size_t size);
    static void operator delete(void* vertex);

    // Value equality; on a match by value the receiver takes the argument's tag and swayWeight.
    bool equals(Object* other) override;
    // The same test for a caller that already holds a vertex: no type check needed.
    bool equals(Vertex* other);
    virtual void print();
    // -1 when the dimensions differ, else the number of coordinates that differ.
    virtual int countDifferences(Vertex* other);

    void emit() const;
    float get(int i) const { return components[i]; }
    void set(int i, float value) { components[i] = value; }
    float* data() { return components; }
    int dimension() const { return dimension_; }
    // A new unmarked vertex over a copy of the coordinates; tag and swayWeight start at 0.
    Vertex* clone() const;
    void scale(float s);
    void add(const float* v);
    void multiply(const float* v);
    void mark() { components[dimension_] = 1.0f; }
    void unmark() { components[dimension_] = 0.0f; }
    bool isMarked() const { return components[dimension_] != 0.0f; }

private:
    int dimension_;

public:
    float* components;
    // The wind group index of a plant vertex, or a star's brightness.
    float tag = 0.0f;
    // How strongly the wind moves the vertex: its frequency factor is swayWeight + 1.
    float swayWeight = 0.0f;
};

// Releases a vertex's storage without running its destructor, as List::releaseContents does for
// the payloads it knows nothing about.
void releaseStorage(Vertex* v);
// Deletes a vertex together with its component array, for an owner of both.
void deleteWithComponents(Vertex* v);
// Deletes every vertex of the list with its component array; the list itself stays, emptied.
void deleteWithComponents(List* vertices);

// A fresh array {x, y, z, 0}; the caller owns it, normally by handing it to a Vertex, and frees
// it with deleteComponents.
float* makePoint(float x, float y, float z);
// An uninitialised array of count floats. The world holds some hundred thousand of them, so the
// small ones come from a pool.
float* newComponents(int count);
// Frees an array from newComponents or makePoint, or one made with new[].
void deleteComponents(float* components);

// The smaller of a and b (b on a tie), then c unless c is larger.
float min3(float a, float b, float c);
