// The global wind field.
#include "world/Wind.h"

#include "core/Random.h"
#include "world/WaveKernel.h"

#include <algorithm>

namespace {

// Vertices are swayed in blocks, so the sines of a whole block are computed in one vectorised pass.
constexpr int BLOCK = 256;

}  // namespace

Wind::Wind() : levelFactors(new float[LEVEL_COUNT]()) {}

Wind::~Wind() { delete[] levelFactors; }

void Wind::chooseLevelFactors() {
    float* k = levelFactors;
    k[9] = 0.2f;
    for (int i = 8; i >= 1; --i) k[i] = static_cast<float>((randomUnit() + 4) * k[i + 1] * 0.2);
    k[0] = 0.0f;
}

void Wind::animate() {
    if (!active && targetStrength == appliedStrength) return;
    busy = true;
    const double a = static_cast<float>(appliedStrength * 0.2);
    const double b = static_cast<float>(targetStrength * 0.2);
    const double now = time();
    const double before = now - 0.1;
    for (int level = 0; level < LEVEL_COUNT; ++level) {
        const double k = levelFactors[level];
        // Adding b * 0 - a * 0 leaves every coordinate as it is, so a still level is skipped.
        if (k == 0.0) continue;
        List* members = groups[level].members;
        const GroupCopy& copy = copies[level];
        if (copy.taken && copy.revision == members->revision()) {
            const int count = static_cast<int>(copy.members.size());
            for (int first = 0; first < count; first += BLOCK)
                swayBlock(copy.members.data() + first, std::min(BLOCK, count - first), k, a, b, now, before);
            continue;
        }
        // The group changed since it was copied: walk the list itself, which allocates nothing.
        Vertex* block[BLOCK];
        for (ListNode* node = members->first; node != nullptr;) {
            int n = 0;
            for (; node != nullptr && n < BLOCK; node = node->next) block[n++] = static_cast<Vertex*>(node->payload);
            swayBlock(block, n, k, a, b, now, before);
        }
    }
    appliedStrength = targetStrength;
    ++ticks;
    busy = false;
}

// x += b k sin(f t) - a k sin(f (t - 0.1)), and likewise y with cos(1.3 f t) and z with sin(0.9 f t):
// each step takes back the previous displacement and gives the current one.
void Wind::swayBlock(Vertex* const* block, int n, double k, double a, double b, double now, double before) {
    double phases[6][BLOCK];
    double waves[6][BLOCK];
    for (int i = 0; i < n; ++i) {
        // The coordinates are needed after the sines; ask for them now.
        __builtin_prefetch(block[i]->components, 1);
        const double f = static_cast<double>(block[i]->swayWeight) + 1.0;
        phases[0][i] = f * now;
        phases[1][i] = 1.3 * f * now;
        phases[2][i] = 0.9 * f * now;
        phases[3][i] = f * before;
        phases[4][i] = 1.3 * f * before;
        phases[5][i] = 0.9 * f * before;
    }
    // y follows a cosine, x and z a sine.
    for (int wave = 0; wave < 6; ++wave) waveBatch(phases[wave], waves[wave], n, wave % 3 == 1);
    for (int i = 0; i < n; ++i) {
        float* c = block[i]->components;
        c[0] = static_cast<float>(c[0] + (b * k * waves[0][i] - a * k * waves[3][i]));
        c[1] = static_cast<float>(c[1] + (b * k * waves[1][i] - a * k * waves[4][i]));
        c[2] = static_cast<float>(c[2] + (b * k * waves[2][i] - a * k * waves[5][i]));
    }
}

void Wind::copyGroups() {
    for (int level = 0; level < LEVEL_COUNT; ++level) {
        GroupCopy& copy = copies[level];
        List* members = groups[level].members;
        if (copy.taken && copy.revision == members->revision()) continue;
        copy.members.clear();
        for (Vertex* v : items<Vertex>(members)) copy.members.push_back(v);
        copy.revision = members->revision();
        copy.taken = true;
    }
}

void Wind::setStrength(int n) {
    if (!busy && targetStrength == appliedStrength) targetStrength = n;
}

void Wind::switchOn() {
    if (busy || active) return;
    appliedStrength = 0;
    targetStrength = restStrength;
    active = true;
    copyGroups();
}

void Wind::switchOff() {
    if (busy || !active) return;
    restStrength = appliedStrength;
    targetStrength = 0;
    active = false;
}
