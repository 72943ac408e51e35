// Builder of triangle-strip spheres and tubes from a short array of numbers.
#pragma once

#include "core/Cursor.h"
#include "core/List.h"
#include "core/Object.h"

class Mesh;

class PrimitiveSolid : public Object {
public:
    // Kinds of solid; any other kind builds nothing.
    static constexpr int SPHERE = 1;
    static constexpr int TUBE = 2;

    // Sphere parameters: centre x, y, z, radius, stacks, slices.
    // Tube parameters: bottom centre x, y, z, bottom radius, top centre x, y, z, top radius, slices,
    // tag of the bottom vertices (the top ones get tag + 1), bottom and top sway weights.
    PrimitiveSolid(int kind, int textured, float* params);
    PrimitiveSolid(const PrimitiveSolid&) = delete;
    PrimitiveSolid& operator=(const PrimitiveSolid&) = delete;
    // Deletes the mesh list; the meshes belong to whoever took them.
    ~PrimitiveSolid() override;

    virtual void draw();
    // The meshes, first one next.
    virtual Cursor* rewind();

    // Reads params only while it runs. Does not release an earlier list: reset does.
    void build(int kind, int textured, float* params);
    void reset();

    float* params = nullptr;
    List* meshes = nullptr;
    bool textured = false;

private:
    void buildSphere();
};

// The one strip round a tube between two horizontal circles, bottom before top in every pair: the
// bottom vertices get tag and bottomWeight, the top ones tag + 1 and topWeight. The caller owns the mesh.
Mesh* tubeMesh(const float* bottom, float bottomRadius, const float* top, float topRadius, float slices, float tag,
               float bottomWeight, float topWeight, bool textured = false);
