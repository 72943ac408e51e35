// The global wind field: ten groups of plant vertices, each swayed in place with its level's amplitude.
#pragma once

#include "core/SwayGroups.h"
#include "world/WaveKernel.h"

#include <cstdint>
#include <vector>

class Wind : public SwayGroups {
public:
    // Switched off, strength 5, every group empty and every level factor 0 until population sets them.
    Wind();
    Wind(const Wind&) = delete;
    Wind& operator=(const Wind&) = delete;
    ~Wind();

    // Level 9 sways with 0.2, each lower level with 0.6 to just under 1.0 times the one above it
    // (one random draw each, from level 8 down to 1), and level 0 never moves.
    void chooseLevelFactors();
    // One step: takes back the displacement of the previous step and gives that of the current time
    // at the target strength. Allocates nothing unless a group changed since the wind was switched on.
    void animate();
    // Ignored while a change of strength is still pending.
    void setStrength(int n);
    // Switching on also notes where every registered vertex stands, which the steps then sway it around.
    void switchOn();
    void switchOff();
    // The animation time: 0.1 for every step that moved the plants.
    double time() const { return ticks * 0.1; }

    // Strength whose displacement the vertices carry now.
    int appliedStrength = 5;
    // Strength the next step moves the vertices to.
    int targetStrength = 5;
    // Strength remembered while the wind is off.
    int restStrength = 5;
    bool busy = false;
    // Amplitude factor of each level; level 0 never moves.
    float* levelFactors;
    // The steps that moved the plants, the wind's clock. Counted whole, so that after a week of
    // steps each one still advances the time by exactly 0.1 (a float time stops growing after days).
    std::int64_t ticks = 0;
    bool active = false;

private:
    // Each registered vertex of one group as the step needs it: the array it writes, the rest
    // position it sways around, and which of the group's frequency factors it has. Vertices made
    // together share their sway weight, so each factor's waves are computed once for all of them.
    // Valid while the group's list keeps its revision.
    struct Swaying {
        std::vector<float*> arrays;
        std::vector<Triple> rests;
        std::vector<int> waveOf;
        // The distinct frequency factors, and the waves of each at the current step.
        std::vector<double> frequencies;
        std::vector<Triple> waves;
        std::vector<double> axisWaves[3];
        unsigned revision = 0;
        bool taken = false;
    };

    void note(int level, double carried, double before);

    Swaying swaying_[LEVEL_COUNT];
};
