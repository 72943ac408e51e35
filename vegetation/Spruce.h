// The spruce: a trunk of stacked tube segments, each with a whorl of forking branches and needles.
#pragma once

#include "core/List.h"
#include "core/Mesh.h"
#include "core/SceneObject.h"

// One segment of the trunk; the spruce itself is the lowest, which owns the rest of the trunk
// through the chain of next segments. Its faces are its branches, not meshes.
class SpruceTrunk : public SceneObject {
public:
    // The spruce, standing with the foot of its trunk on position. Every segment shares position and
    // advances it to its own top, so afterwards it holds the top of the trunk.
    SpruceTrunk(float* position, float* tint);
    // A segment of the given level whose foot is position; consumes direction.
    SpruceTrunk(float* position, float* direction, int level, float* tint, float weight);

    void roughen(int iterations) override;
    void draw() override;
    void dump() override;
    // Segment tube, the segments above, the branches, then the needles; each vertex to the group of
    // its tag.
    void attachToWind(SwayGroups* wind) override;
    // Builds this segment and, through the next segment's constructor, the rest of the trunk.
    // Consumes direction; weight is the sway weight of the segment's foot.
    virtual void growTrunk(float* direction, int level, float weight);

    // Appends count needles along axis from start. Consumes start and axis.
    void addTrunkNeedles(float* start, float* axis, int count, float weight);

    SpruceTrunk* nextSegment = nullptr;
    // The growth direction, only while the constructor runs.
    float* direction = nullptr;
    // Null on the level-0 segment at the top, which has nothing.
    Mesh* segmentMesh = nullptr;
    List* needles = nullptr;
    int level = 0;

private:
    void start(float* position, float* direction, float* tint);
};

// One branch segment with its sub-branches, which fork straight on and a quarter turn to either side.
class SpruceBranch : public SceneObject {
public:
    // Grows from start (kept as origin, and shared with the sibling branches); consumes direction.
    SpruceBranch(float* start, float* direction, int level, float* tint, float weight);

    void draw() override;
    void dump() override;
    // Sub-branches first, then the segment tube and the needles; each vertex to the group of its tag.
    void attachToWind(SwayGroups* wind) override;

    // Builds the segment and its sub-branches; consumes direction.
    void growBranch(float* direction, int level, float weight);
    // Appends count needles along axis from start. Consumes start and axis.
    void addBranchNeedles(float* start, float* axis, int count, float weight);

    // Index 0 one side, 1 straight on, 2 the other side; any may be null.
    SpruceBranch* children[3] = {nullptr, nullptr, nullptr};
    Mesh* segmentMesh = nullptr;
    float* origin = nullptr;
    List* needles = nullptr;
    int level = 0;
};
