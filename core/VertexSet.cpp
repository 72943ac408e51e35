// A set of distinct vertices moved together.
#include "core/VertexSet.h"

VertexSet::VertexSet() : members(new List) {}

VertexSet::~VertexSet() { delete members; }

void VertexSet::releaseContents() {
    for (Vertex* v : items<Vertex>(members)) releaseStorage(v);
    members->clear();
}

bool VertexSet::equals(Object* other) {
    VertexSet* set = dynamic_cast<VertexSet*>(other);
    if (set == nullptr || set->members->count() != members->count()) return false;
    set->members->rewind();
    while (set->members->hasNext()) {
        Vertex* m = static_cast<Vertex*>(set->members->next());
        bool found = false;
        members->rewind();
        // No early stop: m ends up with the attributes of the last equal member.
        while (members->hasNext())
            if (m->equals(static_cast<Vertex*>(members->next()))) found = true;
        if (!found) return false;
    }
    return true;
}

bool VertexSet::hasNext() { return members->hasNext(); }

void* VertexSet::next() { return members->next(); }

void VertexSet::add(Vertex* v) {
    if (v->isMarked()) return;
    members->append(v);
    v->mark();
}

void VertexSet::unmarkAll() {
    for (Vertex* v : items<Vertex>(members)) v->unmark();
}

bool VertexSet::contains(Vertex* v) {
    for (Vertex* member : items<Vertex>(members))
        if (member->components == v->components) return true;
    return false;
}

Cursor* VertexSet::rewind() { return members->rewind(); }
