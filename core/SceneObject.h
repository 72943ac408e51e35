// Base of everything placed in the world: faces, displaceable vertices, roughening, the textured quad
// draw and registration with the wind.
#pragma once

#include "core/Image.h"
#include "core/List.h"
#include "core/Object.h"
#include "core/SwayGroups.h"
#include "core/VertexSet.h"

class SceneObject : public Object {
public:
    SceneObject() = default;
    SceneObject(const SceneObject&) = delete;
    SceneObject& operator=(const SceneObject&) = delete;
    // Deletes the face list and the vertex set containers; the meshes and vertices stay.
    ~SceneObject() override;

    // Releases the position and size arrays.
    void releaseContents() override;
    // Displaces the vertices, subdividing every face before each pass after the first.
    virtual void roughen(int iterations);
    // Every face as one textured quad with the whole picture on it.
    virtual void draw();
    virtual void dump();
    // Every face vertex joins wind group 1, swaying more the higher it stands.
    virtual void attachToWind(SwayGroups* wind);

    // Splits every four-cornered face in four; the old faces and their vertices are freed.
    void subdivideFaces();
    // Moves every member of vertices by a random offset of the amplitude, carrying the face vertices
    // at its old position along.
    void displace(float amplitude);

    List* faces = nullptr;
    VertexSet* vertices = nullptr;
    float* position = nullptr;
    float* size = nullptr;
    // The world's shared light colour; one array for all objects.
    float* tint = nullptr;
    Image* texture = nullptr;
};
