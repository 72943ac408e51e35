// The ten groups of plant vertices that sway together, one per level of a plant; a vertex joins at
// most one of them, the first that takes it.
#pragma once

#include "core/List.h"
#include "core/Mesh.h"
#include "core/VertexSet.h"

class SwayGroups {
public:
    static constexpr int LEVEL_COUNT = 10;

    SwayGroups() = default;
    SwayGroups(const SwayGroups&) = delete;
    SwayGroups& operator=(const SwayGroups&) = delete;

    // Every vertex of the mesh, in order, joins the group that levelOf(vertex) names; levelOf may
    // also give the vertex its sway weight. A vertex already marked by a group stays where it is.
    template <class LevelOf>
    void addMesh(Mesh* mesh, LevelOf levelOf) {
        for (Vertex* v : items<Vertex>(mesh->vertices)) {
            const int level = levelOf(v);
            // A level outside the groups would write past them; no plant makes one.
            if (level >= 0 && level < LEVEL_COUNT) groups[level].add(v);
        }
    }
    void addMesh(Mesh* mesh, int level) {
        addMesh(mesh, [level](Vertex*) { return level; });
    }
    // Every vertex joins the group its tag names, the tag truncated to a whole number.
    void addMeshByTag(Mesh* mesh) {
        addMesh(mesh, [](Vertex* v) { return static_cast<int>(v->tag); });
    }
    // Clears the marks that kept each vertex in one group, once every plant has joined.
    void unmarkAll() {
        for (VertexSet& group : groups) group.unmarkAll();
    }

    VertexSet groups[LEVEL_COUNT];
};
