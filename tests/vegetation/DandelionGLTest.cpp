// The dandelion's draw: leaves, stems and heads in their colours scaled by the tint, nothing textured.
#include "tests/support/GLContext.h"
#include "vegetation/Dandelion.h"

#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

using DandelionGL = GLTest;

TEST_F(DandelionGL, DrawsLeavesThenEveryStemAndItsHeadInTintedColoursUntextured) {
    float tint[3] = {0.5f, 1, 2}, ground[3] = {0, 0, 0};
    std::srand(2);
    Dandelion plant(ground, tint);
    GLint before = 0, after = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &before);
    // One entry per run of equal colour, r, g and b in hundredths as rrrgggbbb: the leaves, then each
    // of the two stems and its head, the stem colour set again after the first head.
    std::vector<long> runs;
    for (const FeedbackVertex& v : recordFeedback([&] { plant.draw(); }, 12, 0, 5, 0)) {
        long colour = 0;
        for (int i = 0; i < 3; ++i) colour = colour * 1000 + std::lround(v.colour[i] * 100);
        if (runs.empty() || runs.back() != colour) runs.push_back(colour);
    }
    EXPECT_EQ(runs, (std::vector<long>{10070020, 20090100, 45086048, 20090100, 45086048}));
    EXPECT_FALSE(isOn(GL_TEXTURE_2D));
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &after);
    EXPECT_EQ(after, before) << "the draw uploaded a picture";
}

}  // namespace
