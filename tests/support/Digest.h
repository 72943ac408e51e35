// A digest of generated geometry: counts and a checksum of every coordinate, tag and sway weight,
// so that a drift anywhere in a generator changes one short string.
#pragma once

#include "core/Mesh.h"
#include "core/SceneObject.h"
#include "core/SwayGroups.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

class Digest {
public:
    void add(float value) {
        std::uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        for (int i = 0; i < 4; ++i) sum_ = (sum_ ^ ((bits >> (8 * i)) & 0xff)) * 1099511628211ull;
    }
    // x, y, z, tag and sway weight.
    void add(const Vertex* v) {
        for (float value : {v->get(0), v->get(1), v->get(2), v->tag, v->swayWeight}) add(value);
        ++vertices_;
    }
    // The primitive, the vertices and, where the mesh has them, the texture coordinates.
    void add(const Mesh* mesh) {
        add(static_cast<float>(mesh->primitive()));
        addVertices(mesh->vertices);
        if (mesh->textured) addVertices(mesh->texCoords);
        ++meshes_;
    }
    void addVertices(const List* vertices) { for (const Vertex* v : items<Vertex>(vertices)) add(v); }
    void addMeshes(const List* meshes) { for (const Mesh* mesh : items<Mesh>(meshes)) add(mesh); }
    // Every group's members in order, each group led by its number.
    void addGroups(const SwayGroups& groups) {
        for (int level = 0; level < SwayGroups::LEVEL_COUNT; ++level) {
            add(static_cast<float>(level));
            addVertices(groups.groups[level].members);
        }
    }
    // Every vertex an object registers with the wind, in fresh groups: all of its geometry that sways,
    // and where it sways.
    void addWindRegistration(SceneObject* object) {
        SwayGroups groups;
        object->attachToWind(&groups);
        addGroups(groups);
        groups.unmarkAll();
    }
    // The next number of the random generator: how many draws came before it.
    void addNextRandom() { add(static_cast<float>(std::rand() % 100000)); }

    std::string text() const {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%d meshes %d vertices %016llx", meshes_, vertices_,
                      static_cast<unsigned long long>(sum_));
        return buffer;
    }

private:
    std::uint64_t sum_ = 1469598103934665603ull;
    int meshes_ = 0, vertices_ = 0;
};

// A plant's digest: its wind registration, the draws it took and, when asked, its faces.
inline std::string plantDigest(SceneObject* plant, bool withFaces = false) {
    Digest digest;
    digest.addWindRegistration(plant);
    digest.addNextRandom();
    if (withFaces) digest.addMeshes(plant->faces);
    return digest.text();
}
