// One glBegin/glEnd batch of vertices.
#include "core/Mesh.h"

#include "core/Pool.h"

#include <GL/gl.h>
#include <cstdio>

namespace {

Pool meshPool(sizeof(Mesh));

}  // namespace

void* Mesh::operator new(std::size_t size) { return meshPool.take(size); }

void Mesh::operator delete(void* mesh) { meshPool.give(mesh); }

Mesh::Mesh() : vertices(new List), autoMode(true), mode(GL_POLYGON) {}

Mesh::Mesh(int mode) : vertices(new List), autoMode(false), mode(mode) {}

Mesh::~Mesh() {
    delete vertices;
    delete texCoords;
}

void Mesh::releaseContents() {
    for (Vertex* v : items<Vertex>(vertices)) releaseStorage(v);
    vertices->clear();
}

int Mesh::primitive() const {
    if (!autoMode) return mode;
    switch (vertices->count()) {
    case 1: return GL_POINTS;
    case 2: return GL_LINES;
    case 3: return GL_TRIANGLES;
    case 4: return GL_QUADS;
    default: return GL_POLYGON;
    }
}

void Mesh::draw() {
    glBegin(primitive());
    ListNode* texCoord = textured ? texCoords->first : nullptr;
    for (Vertex* v : items<Vertex>(vertices)) {
        // A mesh short of texture coordinates sends the rest of its vertices without one.
        if (texCoord != nullptr) {
            const Vertex* st = static_cast<const Vertex*>(texCoord->payload);
            glTexCoord2f(st->get(0), st->get(1));
            texCoord = texCoord->next;
        }
        v->emit();
    }
    glEnd();
}

void Mesh::appendAll(Cursor* source) { vertices->appendAll(source); }

void Mesh::insertAt(int index, Vertex* texCoord, Vertex* vertex) {
    vertices->insertAt(index, vertex);
    if (textured) texCoords->insertAt(index, texCoord);
}

void Mesh::insertVertexAt(int index, Vertex* vertex) { vertices->insertAt(index, vertex); }

void Mesh::append(Vertex* vertex, Vertex* texCoord) {
    vertices->append(vertex);
    if (textured) texCoords->append(texCoord);
}

void Mesh::addVertex(Vertex* vertex) { vertices->append(vertex); }

void Mesh::moveVertex(Vertex* key, Vertex* target) {
    for (Vertex* w : items<Vertex>(vertices)) {
        if (!w->equals(key)) continue;
        for (int i = 0; i < key->dimension(); ++i) w->set(i, target->get(i));
        return;
    }
}

void Mesh::clearVertices() {
    vertices->clear();
    autoMode = true;
}

void Mesh::setMode(int newMode) {
    mode = newMode;
    autoMode = false;
}

void Mesh::enableTexture() {
    textured = true;
    texCoords = new List;
}

void Mesh::dump() {
    int n = autoMode ? vertices->count() : mode;
    std::printf("\t<%d>\n\t\t", n);
    const char* separator = "";
    for (Vertex* v : items<Vertex>(vertices)) {
        std::printf("%s", separator);
        v->print();
        separator = "\n\t\t";
    }
    std::printf("\n\t</%d>\n", n);
}

List* Mesh::subdivide(VertexSet* collector) {
    List* children = new List;
    if (!autoMode || vertices->count() != 4) return children;

    const float* p[4];
    int corner = 0;
    for (Vertex* v : items<Vertex>(vertices)) p[corner++] = v->components;

    float centre[3];
    for (int k = 0; k < 3; ++k) {
        float sum = p[0][k];
        sum += p[1][k];
        sum += p[2][k];
        sum += p[3][k];
        centre[k] = sum * 0.25f;
    }
    // The centre is shared by all four children and is not a displaceable corner.
    Vertex* q = new Vertex(makePoint(centre[0], centre[1], centre[2]));

    for (int i = 0; i < 4; ++i) {
        Mesh* child = new Mesh;
        for (int j = 0; j < 4; ++j) {
            if (j == (i + 2) % 4) {
                child->addVertex(q);
                continue;
            }
            // One expression for every midpoint, so corners built by neighbouring faces are bit-identical.
            Vertex* w = new Vertex(makePoint((p[i][0] + p[j][0]) * 0.5f, (p[i][1] + p[j][1]) * 0.5f,
                                             (p[i][2] + p[j][2]) * 0.5f));
            child->addVertex(w);
            collector->add(w->clone());
        }
        children->append(child);
    }
    return children;
}

void Mesh::scaleAll(float factor) {
    for (Vertex* v : items<Vertex>(vertices)) v->scale(factor);
}

void Mesh::translateAll(const float* offset) {
    for (Vertex* v : items<Vertex>(vertices)) v->add(offset);
}

void Mesh::multiplyAll(const float* factors) {
    for (Vertex* v : items<Vertex>(vertices)) v->multiply(factors);
}

void deleteWithVertices(List* meshes) {
    for (Mesh* mesh : items<Mesh>(meshes)) {
        deleteWithComponents(mesh->vertices);
        delete mesh;
    }
    meshes->clear();
}
