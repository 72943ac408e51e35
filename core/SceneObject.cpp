// Base of everything placed in the world.
#include "core/SceneObject.h"

#include "core/Mesh.h"
#include "core/Random.h"
#include "world/Wind.h"

#include <GL/gl.h>
#include <cstdio>

namespace {

Mesh* meshOf(ListNode* node) { return static_cast<Mesh*>(node->payload); }

}  // namespace

SceneObject::~SceneObject() {
    delete faces;
    delete vertices;
}

void SceneObject::releaseContents() {
    delete[] position;
    delete[] size;
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

void SceneObject::subdivideFaces() {
    List* children = new List;
    for (ListNode* node = faces->first; node != nullptr; node = node->next) {
        List* split = meshOf(node)->subdivide(vertices);
        children->appendAll(split->rewind());
        delete split;
    }
    // A refused face has no children and disappears. The old faces go, but not their vertices:
    // only the meshes are reclaimed.
    for (ListNode* node = faces->first; node != nullptr; node = node->next) delete meshOf(node);
    delete faces;
    faces = children;
}

void SceneObject::displace(float amplitude) {
    float scratch[4] = {};
    Vertex target(scratch);
    for (ListNode* member = vertices->members->first; member != nullptr; member = member->next) {
        Vertex* v = static_cast<Vertex*>(member->payload);
        // Random offsets are drawn z first, then y, then x.
        float dz = randomUnit() * amplitude;
        float dy = randomUnit() * amplitude;
        float dx = randomUnit() * amplitude;
        target.set(0, v->get(0) + dx);
        target.set(1, v->get(1) + dy);
        target.set(2, v->get(2) + dz);
        // Faces first, so they are matched against the member's position before it moves.
        for (ListNode* node = faces->first; node != nullptr; node = node->next) meshOf(node)->moveVertex(v, &target);
        for (int i = 0; i < v->dimension(); ++i) v->set(i, target.get(i));
    }
}

void SceneObject::draw() {
    uploadTexture(texture);
    glPushMatrix();
    for (ListNode* node = faces->first; node != nullptr; node = node->next) {
        glBegin(GL_QUADS);
        int n = 0;
        for (ListNode* corner = meshOf(node)->vertices->first; corner != nullptr; corner = corner->next, ++n) {
            glTexCoord2f(n >= 2 ? 1.0f : 0.0f, n == 1 || n == 2 ? 1.0f : 0.0f);
            static_cast<Vertex*>(corner->payload)->emit();
        }
        glEnd();
    }
    glPopMatrix();
    closeTexture();
}

void SceneObject::dump() {
    std::printf("<Tree1>\n");
    for (ListNode* node = faces->first; node != nullptr; node = node->next) meshOf(node)->dump();
    std::printf("</Tree1>\n\n");
}

void SceneObject::attachToWind(Wind* wind) {
    for (ListNode* node = faces->first; node != nullptr; node = node->next) {
        for (ListNode* corner = meshOf(node)->vertices->first; corner != nullptr; corner = corner->next) {
            Vertex* w = static_cast<Vertex*>(corner->payload);
            float a = (w->get(0) - position[0]) / size[0] * 0.33333334;
            float b = (w->get(2) - position[2]) / size[2] * 0.25 + a;
            w->swayWeight = (w->get(1) - position[1]) / size[1] + b;
            wind->groups[1].add(w);
        }
    }
}
