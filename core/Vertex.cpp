// A point of 2, 3 or 4 floats over a component array that also carries a mark slot.
#include "core/Vertex.h"

#include "core/List.h"
#include "core/Pool.h"

#include <GL/gl.h>
#include <cstdio>

Vertex::Vertex(float* components) : Vertex(3, components) {}

Vertex::Vertex(int dimension, float* components) : dimension_(dimension), components(components) {}

namespace {

Pool vertexPool(sizeof(Vertex));

// Nearly every component array is a point with its mark slot: four floats.
constexpr int POOLED_COMPONENTS = 4;
Pool componentPool(POOLED_COMPONENTS * sizeof(float));

}  // namespace

Vertex::~Vertex() = default;

void* Vertex::operator new(std::size_t size) { return vertexPool.take(size); }

void Vertex::operator delete(void* vertex) { vertexPool.give(vertex); }

bool Vertex::equals(Object* other) {
    if (other == this) return true;
    Vertex* v = dynamic_cast<Vertex*>(other);
    return v != nullptr && equals(v);
}

bool Vertex::equals(Vertex* v) {
    if (v == this) return true;
    if (v->dimension_ != dimension_) return false;
    if (v->components == components) return true;
    for (int i = 0; i < dimension_; ++i)
        if (!(components[i] == v->components[i])) return false;
    // Only a match by value copies the attributes; moveVertex relies on the direction.
    tag = v->tag;
    swayWeight = v->swayWeight;
    return true;
}

void Vertex::print() {
    std::printf("[ %8.2f : %8.2f : %8.2f ] %schecked", components[0], components[1], components[2],
                isMarked() ? "" : "un");
}

int Vertex::countDifferences(Vertex* other) {
    if (other->dimension_ != dimension_) return -1;
    int differences = 0;
    for (int i = 0; i < dimension_; ++i)
        if (!(components[i] == other->components[i])) ++differences;
    return differences;
}

void Vertex::emit() const {
    switch (dimension_) {
    case 2: glVertex2fv(components); break;
    case 3: glVertex3fv(components); break;
    case 4: glVertex4fv(components); break;
    default: break;
    }
}

Vertex* Vertex::clone() const {
    float* copy = newComponents(dimension_ + 1);
    for (int i = 0; i < dimension_; ++i) copy[i] = components[i];
    copy[dimension_] = 0.0f;
    return new Vertex(dimension_, copy);
}

void Vertex::scale(float s) {
    for (int i = 0; i < dimension_; ++i) components[i] *= s;
}

void Vertex::add(const float* v) {
    for (int i = 0; i < dimension_; ++i) components[i] += v[i];
}

void Vertex::multiply(const float* v) {
    for (int i = 0; i < dimension_; ++i) components[i] *= v[i];
}

void releaseStorage(Vertex* v) { Vertex::operator delete(v); }

float* newComponents(int count) {
    if (count <= POOLED_COMPONENTS)
        if (void* slot = componentPool.takeCarved()) return static_cast<float*>(slot);
    return new float[count];
}

void deleteComponents(float* components) {
    if (!Pool::release(components)) delete[] components;
}

void deleteWithComponents(Vertex* v) {
    deleteComponents(v->components);
    delete v;
}

void deleteWithComponents(List* vertices) {
    for (Vertex* v : items<Vertex>(vertices)) deleteWithComponents(v);
    vertices->clear();
}

float* makePoint(float x, float y, float z) {
    float* point = newComponents(4);
    point[0] = x;
    point[1] = y;
    point[2] = z;
    point[3] = 0.0f;
    return point;
}

float min3(float a, float b, float c) {
    float smaller = a < b ? a : b;
    return c <= smaller ? c : smaller;
}
