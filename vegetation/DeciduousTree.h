// A deciduous tree: a recursively forking skeleton of hexagonal tubes with textured leaf triangles at
// the ends of its branches.
#pragma once

#include "core/Image.h"
#include "core/SceneObject.h"

class DeciduousTree : public SceneObject {
public:
    // Grows the whole tree standing on position, about 15 units tall; keeps a copy of position.
    DeciduousTree(const float* position, float* tint);
    // Reclaims the faces with their vertices, the copy of the position and the leaf picture.
    ~DeciduousTree() override;

    // The leaves in the tint with the leaf picture, then the tubes untextured in bark brown.
    void draw() override;
    // Every leaf vertex sways in group 4; a tube sways whole with the level its first vertex's tag
    // names, 0 for the trunk up to 3 for the finest branches.
    void attachToWind(SwayGroups* wind) override;
    // Appends a branch of the level from start along direction (jittered), its leaves and its
    // sub-branches, whose bottoms sway with weight. Reads start and direction and changes neither.
    virtual void growBranch(const float* start, const float* direction, int level, float weight);

    // The direction of a side branch off a branch along v, in a new array (x, y, z, 0): v turned
    // across its dominant axis to a random azimuth, then jittered and shrunk per component.
    static float* sideDirection(const float* v);

    Image* leafImage;
};
