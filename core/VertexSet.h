// A set of distinct vertices moved together; membership is recorded by marking, so a vertex joins one set.
#pragma once

#include "core/Cursor.h"
#include "core/List.h"
#include "core/Vertex.h"

class VertexSet : public Cursor {
public:
    VertexSet();
    VertexSet(const VertexSet&) = delete;
    VertexSet& operator=(const VertexSet&) = delete;
    // Releases the member list, not the members.
    ~VertexSet() override;

    // Releases the storage of every member and empties the set.
    void releaseContents() override;
    // Same size and every member of other equal to some member here; members of other take the
    // attributes of the last equal member.
    bool equals(Object* other) override;
    bool hasNext() override;
    void* next() override;

    // Appends and marks an unmarked vertex; a marked one is ignored.
    void add(Vertex* v);
    void unmarkAll();
    // True when a member uses the very same component array as v.
    bool contains(Vertex* v);
    Cursor* rewind();
    int count() const { return members->count(); }

    List* members;
};
