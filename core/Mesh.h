// One glBegin/glEnd batch of vertices, with an explicit or count-chosen primitive and optional texture coordinates.
#pragma once

#include "core/Cursor.h"
#include "core/List.h"
#include "core/Object.h"
#include "core/Vertex.h"
#include "core/VertexSet.h"

class Mesh : public Object {
public:
    // Automatic mode: the primitive follows the vertex count.
    Mesh();
    // Explicit mode, e.g. GL_TRIANGLE_STRIP.
    explicit Mesh(int mode);
    Mesh(const Mesh&) = delete;
    Mesh& operator=(const Mesh&) = delete;
    // Deletes the lists, never the vertices: other meshes may share them.
    ~Mesh() override;
    // A world holds tens of thousands of faces: they come from a pool of their own.
    static void* operator new(std::size_t size);
    static void operator delete(void* mesh);

    // Releases the storage of every vertex and empties the vertex list.
    void releaseContents() override;
    virtual void draw();
    virtual void appendAll(Cursor* source);
    // Note the order: the texture coordinate comes before the vertex.
    virtual void insertAt(int index, Vertex* texCoord, Vertex* vertex);
    virtual void insertVertexAt(int index, Vertex* vertex);
    virtual void append(Vertex* vertex, Vertex* texCoord);
    virtual void addVertex(Vertex* vertex);
    // The first vertex equal to key takes target's coordinates.
    virtual void moveVertex(Vertex* key, Vertex* target);
    virtual void clearVertices();
    virtual void setMode(int mode);
    virtual void enableTexture();
    virtual void dump();

    // Splits a four-vertex automatic-mode face into four children; clones of the new corners go to collector.
    List* subdivide(VertexSet* collector);
    void scaleAll(float factor);
    void translateAll(const float* v);
    void multiplyAll(const float* v);
    int vertexCount() const { return vertices->count(); }
    // The GL primitive draw will use.
    int primitive() const;

    List* vertices;
    List* texCoords = nullptr;
    bool autoMode;
    bool textured = false;
    int mode;
};

// Deletes every mesh of the list with its vertices and their arrays, and empties the list: for an
// owner whose meshes share no vertex.
void deleteWithVertices(List* meshes);
