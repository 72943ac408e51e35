// Base of everything placed in the world.
#include "core/SceneObject.h"

#include "core/FaceVertexIndex.h"
#include "core/Mesh.h"
#include "core/Random.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

SceneObject::~SceneObject() {
    delete faces;
    delete vertices;
}

void SceneObject::releaseContents() {
    deleteComponents(position);
    deleteComponents(size);
    position = size = nullptr;
}

void SceneObject::roughen(int iterations) {
    float amplitude = min3(size[0], size[1], size[2]) * 0.33;
    for (int i = 0; i < iterations; ++i) {
        if (i > 0) subdivideFaces();
        displace(amplitude);
        amplitude *= 0.5f;
    }
}

namespace {

template <class T>
std::vector<T*>& distinct(std::vector<T*>& pointers) {
    std::sort(pointers.begin(), pointers.end());
    pointers.erase(std::unique(pointers.begin(), pointers.end()), pointers.end());
    return pointers;
}

}  // namespace

void SceneObject::subdivideFaces() {
    List* children = new List;
    for (Mesh* face : items<Mesh>(faces)) {
        List* split = face->subdivide(vertices);
        children->appendAll(split->rewind());
        delete split;
    }
    // A refused face has no children and disappears. Every corner of a child is new, so the old
    // faces' vertices belong to nothing any more and go with them: each once, since a centre stands
    // in four faces and vertices may share an array.
    std::vector<Vertex*> dropped;
    std::vector<float*> arrays;
    for (Mesh* face : items<Mesh>(faces)) {
        for (Vertex* v : items<Vertex>(face->vertices)) {
            dropped.push_back(v);
            arrays.push_back(v->components);
        }
        delete face;
    }
    delete faces;
    faces = children;
    for (float* array : distinct(arrays)) deleteComponents(array);
    for (Vertex* v : distinct(dropped)) delete v;
}

namespace {

// Plain three-dimensional points with finite coordinates, moved by finite offsets: what the index of
// face positions matches exactly as the scan of the faces would.
bool indexable(VertexSet* members, float amplitude) {
    if (!std::isfinite(amplitude)) return false;
    for (Vertex* v : items<Vertex>(members->members)) {
        const float* c = v->components;
        if (v->dimension() != 3 || !std::isfinite(c[0]) || !std::isfinite(c[1]) || !std::isfinite(c[2])) return false;
    }
    return true;
}

}  // namespace

void SceneObject::displace(float amplitude) {
    // Scanning every face for every member costs faces times members; the index finds the same
    // face vertices by their exact position. One index serves every pass of every object, so that
    // its storage, fresh memory the first time, is taken from the system once.
    static FaceVertexIndex index;
    const bool indexed = indexable(vertices, amplitude) && index.build(faces);
    float scratch[4] = {};
    Vertex target(scratch);
    for (Vertex* v : items<Vertex>(vertices->members)) {
        const std::array<float, 3> offset = randomOffset(amplitude);
        for (int i = 0; i < 3; ++i) target.set(i, v->get(i) + offset[i]);
        // Faces first, so they are matched against the member's position before it moves.
        if (indexed)
            index.moveFaceVertices(v, scratch);
        else
            for (Mesh* face : items<Mesh>(faces)) face->moveVertex(v, &target);
        for (int i = 0; i < v->dimension(); ++i) v->set(i, target.get(i));
        if (indexed) index.arrayMoved(v->components);
    }
}

void SceneObject::draw() {
    uploadTexture(texture);
    glPushMatrix();
    for (Mesh* face : items<Mesh>(faces)) {
        glBegin(GL_QUADS);
        int n = 0;
        for (Vertex* corner : items<Vertex>(face->vertices)) {
            glTexCoord2f(n >= 2 ? 1.0f : 0.0f, n == 1 || n == 2 ? 1.0f : 0.0f);
            corner->emit();
            ++n;
        }
        glEnd();
    }
    glPopMatrix();
    closeTexture();
}

void SceneObject::dump() {
    std::printf("<Tree1>\n");
    for (Mesh* face : items<Mesh>(faces)) face->dump();
    std::printf("</Tree1>\n\n");
}

void SceneObject::attachToWind(SwayGroups* wind) {
    for (Mesh* face : items<Mesh>(faces))
        wind->addMesh(face, [this](Vertex* w) {
            // One per full height above the reference point, a quarter per depth, a third per width.
            float a = (w->get(0) - position[0]) / size[0] * 0.33333334;
            float b = (w->get(2) - position[2]) / size[2] * 0.25 + a;
            w->swayWeight = (w->get(1) - position[1]) / size[1] + b;
            return 1;
        });
}
