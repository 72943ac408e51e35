// The dandelion: a rosette of triangle-chain leaves, stems of tube segments and spiral flower heads.
#pragma once

#include "core/List.h"
#include "core/Mesh.h"
#include "core/SceneObject.h"

// A puff of thin petal triangles in a four-turn spiral around the end of a stem.
class FlowerHead : public SceneObject {
public:
    // Each petal runs from the centre to a point of a puff as wide as direction's y, flattened to two
    // thirds vertically. Reads both arrays only while it runs.
    FlowerHead(const float* centre, const float* direction, float* tint, float weight);
    // Releases the petals with their vertices.
    ~FlowerHead() override;

    void draw() override;
    void attachToWind(SwayGroups* wind) override;
};

// One triangle of a leaf; the leaf is the chain of segments from level 6 down to level 0.
class LeafSegment : public SceneObject {
public:
    // Builds this triangle and, through the next segment's constructor, the rest of the leaf. Each
    // segment writes its shrunk direction back into the caller's array, so when the constructor
    // returns the array holds the direction past the last segment.
    LeafSegment(const float* base, float* direction, int level, float* tint, float weight);
    // Releases the rest of the leaf and this triangle with its vertices.
    ~LeafSegment() override;

    void draw() override;
    void attachToWind(SwayGroups* wind) override;

    LeafSegment* nextSegment = nullptr;
    Mesh* segmentMesh = nullptr;

private:
    void growLeaf(const float* base, float* direction, int level, float weight);
};

// One tube of a stem; the stem is the chain of segments from level 6 down to level 0, the last
// carrying the flower head.
class StemSegment : public SceneObject {
public:
    // Builds this tube and, through the next segment's or the head's constructor, the rest of the
    // stem. Reads both arrays only while it runs.
    StemSegment(const float* start, const float* direction, int level, float* tint, float weight);
    // Releases the rest of the stem, the head and this tube with its vertices.
    ~StemSegment() override;

    void draw() override;
    void attachToWind(SwayGroups* wind) override;

    StemSegment* nextSegment = nullptr;
    Mesh* segmentMesh = nullptr;
    FlowerHead* head = nullptr;

private:
    void growStem(const float* start, const float* direction, int level, float weight);
};

// The whole plant: six to nine leaves lying out from the ground point and one to four stems.
class Dandelion : public SceneObject {
public:
    // Grows the plant on the ground point, printing its progress line. Keeps no position.
    Dandelion(const float* position, float* tint);
    // Releases every leaf and stem. The wind must not hold the plant's vertices any more.
    ~Dandelion() override;

    // Leaves in green, then every stem in light green with its head in yellow, all scaled by the tint.
    void draw() override;
    void attachToWind(SwayGroups* wind) override;

    // The first segment of every leaf.
    List* leaves = nullptr;
    // The first segment of every stem.
    List* stems = nullptr;
};
