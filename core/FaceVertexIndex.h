// The face vertices of a scene object found by their exact position, so that displacing a vertex
// finds the face vertices at its old position without scanning every face.
#pragma once

#include "core/List.h"
#include "core/Vertex.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class FaceVertexIndex {
public:
    // Indexes every vertex of every face, forgetting what was indexed before but keeping its storage.
    // False when some vertex is not a three-dimensional point with finite coordinates: only the
    // plain scan of the faces matches those exactly.
    bool build(List* faces);
    // What moveVertex(key, target) on every face in order does: in each face the first vertex at
    // key's position, or over key's own array, takes target's coordinates, and when it matched by
    // value also key's tag and swayWeight.
    void moveFaceVertices(const Vertex* key, const float* target);
    // Tells the index that the array's coordinates were changed from outside; a no-op for an array
    // that no face uses.
    void arrayMoved(const float* array);

private:
    // The coordinates' bits, with -0 taken as +0 so that equal floats give equal keys.
    struct Position {
        std::uint32_t bits[3];
        bool operator==(const Position& other) const;
    };
    // An open-addressing table from keys to numbers; nothing is ever removed from it.
    template <class Key>
    class Table {
    public:
        // Room for that many keys without growing.
        void reserve(std::size_t count);
        // Empty again, with the room it had.
        void clear();
        // The number stored for the key, or -1 when it has none yet.
        int& operator[](const Key& key);
        const int* find(const Key& key) const;

    private:
        std::size_t slotOf(const Key& key) const;
        void rehash(std::size_t capacity);

        std::vector<Key> keys_;
        std::vector<int> values_;
        std::size_t used_ = 0;
    };
    // One place in one face: the slots are numbered in face order, then in vertex order.
    struct Slot {
        int face;
        Vertex* vertex;
        // The next slot over the same array, or -1.
        int next;
    };
    // A component array and the slots of the vertices over it, which move together. The arrays at
    // one position form a doubly linked chain.
    struct Array {
        float* components;
        int firstSlot, lastSlot;
        Position at;
        int previousHere, nextHere;
    };

    static Position positionOf(const float* c);
    static std::size_t hashOf(const Position& p);
    static std::size_t hashOf(const float* array);
    void place(int array);
    void unplace(int array);
    void follow(int array);

    std::vector<Slot> slots_;
    std::vector<Array> arrays_;
    Table<const float*> arrayIndex_;
    // The first array standing at each position, -1 where none stands any more.
    Table<Position> firstHere_;
    std::vector<int> candidates_;
};
