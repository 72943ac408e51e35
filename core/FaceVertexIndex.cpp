// The face vertices of a scene object found by their exact position.
#include "core/FaceVertexIndex.h"

#include "core/Mesh.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

namespace {

// Marks a table slot that holds no key.
constexpr int UNUSED = INT_MIN;
constexpr std::uint64_t GOLDEN = 0x9E3779B97F4A7C15ull;

}  // namespace

bool FaceVertexIndex::Position::operator==(const Position& other) const {
    return bits[0] == other.bits[0] && bits[1] == other.bits[1] && bits[2] == other.bits[2];
}

std::size_t FaceVertexIndex::hashOf(const Position& p) {
    const std::uint64_t h = ((p.bits[0] * GOLDEN ^ p.bits[1]) * GOLDEN ^ p.bits[2]) * GOLDEN;
    return static_cast<std::size_t>(h >> 32);
}

std::size_t FaceVertexIndex::hashOf(const float* array) {
    return static_cast<std::size_t>((reinterpret_cast<std::uintptr_t>(array) >> 4) * GOLDEN >> 32);
}

template <class Key>
std::size_t FaceVertexIndex::Table<Key>::slotOf(const Key& key) const {
    const std::size_t mask = keys_.size() - 1;
    std::size_t i = hashOf(key) & mask;
    while (values_[i] != UNUSED && !(keys_[i] == key)) i = (i + 1) & mask;
    return i;
}

template <class Key>
void FaceVertexIndex::Table<Key>::reserve(std::size_t count) {
    std::size_t capacity = 64;
    while (capacity < 2 * count) capacity *= 2;
    if (capacity > keys_.size()) rehash(capacity);
}

template <class Key>
void FaceVertexIndex::Table<Key>::clear() {
    std::fill(values_.begin(), values_.end(), UNUSED);
    used_ = 0;
}

template <class Key>
int& FaceVertexIndex::Table<Key>::operator[](const Key& key) {
    if (2 * (used_ + 1) > keys_.size()) rehash(std::max<std::size_t>(64, 2 * keys_.size()));
    const std::size_t i = slotOf(key);
    if (values_[i] == UNUSED) {
        keys_[i] = key;
        values_[i] = -1;
        ++used_;
    }
    return values_[i];
}

template <class Key>
const int* FaceVertexIndex::Table<Key>::find(const Key& key) const {
    if (keys_.empty()) return nullptr;
    const std::size_t i = slotOf(key);
    return values_[i] == UNUSED ? nullptr : &values_[i];
}

template <class Key>
void FaceVertexIndex::Table<Key>::rehash(std::size_t capacity) {
    std::vector<Key> keys(capacity);
    std::vector<int> values(keys.size(), UNUSED);
    keys.swap(keys_);
    values.swap(values_);
    for (std::size_t j = 0; j < keys.size(); ++j) {
        if (values[j] == UNUSED) continue;
        const std::size_t i = slotOf(keys[j]);
        keys_[i] = keys[j];
        values_[i] = values[j];
    }
}

FaceVertexIndex::Position FaceVertexIndex::positionOf(const float* c) {
    Position p;
    for (int i = 0; i < 3; ++i) {
        const float value = c[i] == 0.0f ? 0.0f : c[i];
        std::memcpy(&p.bits[i], &value, sizeof value);
    }
    return p;
}

bool FaceVertexIndex::build(List* faces) {
    // Everything sized at once: storage that grew and was given back piecemeal would leave the heap
    // in pieces that every later small allocation has to sort through.
    std::size_t count = 0;
    for (Mesh* mesh : items<Mesh>(faces)) count += static_cast<std::size_t>(mesh->vertexCount());
    slots_.clear();
    arrays_.clear();
    arrayIndex_.clear();
    firstHere_.clear();
    candidates_.clear();
    slots_.reserve(count);
    arrays_.reserve(count);
    arrayIndex_.reserve(count);
    // Every array moved to a new place adds a position.
    firstHere_.reserve(2 * count);
    candidates_.reserve(16);
    int face = 0;
    for (Mesh* mesh : items<Mesh>(faces)) {
        for (Vertex* v : items<Vertex>(mesh->vertices)) {
            float* c = v->components;
            if (v->dimension() != 3 || !std::isfinite(c[0]) || !std::isfinite(c[1]) || !std::isfinite(c[2]))
                return false;
            const int slot = static_cast<int>(slots_.size());
            slots_.push_back({face, v, -1});
            int& array = arrayIndex_[c];
            if (array < 0) {
                array = static_cast<int>(arrays_.size());
                arrays_.push_back({c, slot, slot, positionOf(c), -1, -1});
                place(array);
            } else {
                slots_[arrays_[array].lastSlot].next = slot;
                arrays_[array].lastSlot = slot;
            }
        }
        ++face;
    }
    return true;
}

void FaceVertexIndex::moveFaceVertices(const Vertex* key, const float* target) {
    const int* here = firstHere_.find(positionOf(key->components));
    if (here == nullptr || *here < 0) return;
    candidates_.clear();
    for (int a = *here; a >= 0; a = arrays_[a].nextHere)
        for (int slot = arrays_[a].firstSlot; slot >= 0; slot = slots_[slot].next) candidates_.push_back(slot);
    // Slot numbers run in face order, so this is the order in which the faces would be scanned.
    std::sort(candidates_.begin(), candidates_.end());
    // Key's own array may be among those that move.
    const float old[3] = {key->components[0], key->components[1], key->components[2]};
    int movedFace = -1;
    for (int slot : candidates_) {
        const Slot& s = slots_[slot];
        if (s.face == movedFace) continue;
        float* c = s.vertex->components;
        // Moved to elsewhere already by an earlier face that shares it.
        if (!(c[0] == old[0] && c[1] == old[1] && c[2] == old[2])) continue;
        if (s.vertex != key && c != key->components) {
            s.vertex->tag = key->tag;
            s.vertex->swayWeight = key->swayWeight;
        }
        for (int i = 0; i < 3; ++i) c[i] = target[i];
        movedFace = s.face;
        arrayMoved(c);
    }
}

void FaceVertexIndex::arrayMoved(const float* array) {
    const int* found = arrayIndex_.find(array);
    if (found != nullptr) follow(*found);
}

void FaceVertexIndex::follow(int a) {
    const Position now = positionOf(arrays_[a].components);
    if (now == arrays_[a].at) return;
    unplace(a);
    arrays_[a].at = now;
    place(a);
}

void FaceVertexIndex::place(int a) {
    // The order of the arrays at one position does not matter: their slots are sorted when used.
    int& first = firstHere_[arrays_[a].at];
    arrays_[a].previousHere = -1;
    arrays_[a].nextHere = first;
    if (first >= 0) arrays_[first].previousHere = a;
    first = a;
}

void FaceVertexIndex::unplace(int a) {
    const Array& array = arrays_[a];
    if (array.nextHere >= 0) arrays_[array.nextHere].previousHere = array.previousHere;
    if (array.previousHere >= 0)
        arrays_[array.previousHere].nextHere = array.nextHere;
    else
        firstHere_[array.at] = array.nextHere;
}
