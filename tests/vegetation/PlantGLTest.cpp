// What the plants send to GL: their colours scaled by the tint, texture only where they have a picture.
#include "tests/support/GLContext.h"
#include "vegetation/Dandelion.h"
#include "vegetation/DeciduousTree.h"
#include "vegetation/Spruce.h"

#include <set>

// A tint that halves red, keeps green and doubles blue, which GL clamps at 1.
static float tint[3] = {0.5f, 1, 2};

// The plant the seed grows at the origin, in the tint.
template <class Plant>
static Plant* tinted(unsigned seed) {
    std::srand(seed);
    testing::internal::CaptureStdout();
    Plant* plant = new Plant(makePoint(0, 0, 0), tint);
    testing::internal::GetCapturedStdout();
    return plant;
}

using PlantGL = GLTest;

TEST_F(PlantGL, TheDeciduousTreeTexturesOnlyItsLeavesAndScalesItsColoursByTheTint) {
    DeciduousTree* tree = tinted<DeciduousTree>(3);
    // The leaves first, in the tint, then the tubes in bark brown.
    EXPECT_EQ(colourRuns([&] { tree->draw(); }, 100, 0, 15, 0), (std::vector<long>{50100100, 25017000}));
    // Each leaf comes back as one triangle, the picture's tip at the stalk.
    const std::vector<FeedbackVertex> leaves = recordFeedback([&] { tree->draw(); }, 100, 0, 15, 0);
    const float picture[3][2] = {{0.5f, 1}, {1, 0}, {0, 0}};
    for (size_t i = 0; i < leaves.size() && leaves[i].colour[1] == 1; ++i)
        EXPECT_TRUE(leaves[i].texCoord[0] == picture[i % 3][0] && leaves[i].texCoord[1] == picture[i % 3][1]) << i;
    EXPECT_EQ(texturing(), std::vector<bool>(3, false));
}

TEST_F(PlantGL, TheSpruceDrawsBarkAndNeedlesInTheTintUntexturedWithThinLines) {
    SpruceTrunk* spruce = tinted<SpruceTrunk>(6);
    glLineWidth(4);
    const std::vector<long> runs = colourRuns([&] { spruce->draw(); }, 40, 0, 20, 0);
    EXPECT_EQ(std::set<long>(runs.begin(), runs.end()), (std::set<long>{41010, 25017000}));
    EXPECT_EQ(std::make_pair(isOn(GL_TEXTURE_2D), integerState(GL_LINE_WIDTH)), std::make_pair(false, 1));
}

TEST_F(PlantGL, TheDandelionDrawsLeavesThenEveryStemAndItsHeadInTintedColoursUntextured) {
    Dandelion* plant = tinted<Dandelion>(2);
    const GLint picture = uploadedWidth();
    // The leaves, then each of the two stems and its head, the stem colour set again after the first head.
    EXPECT_EQ(colourRuns([&] { plant->draw(); }, 12, 0, 5, 0),
              (std::vector<long>{10070020, 20090100, 45086048, 20090100, 45086048}));
    EXPECT_FALSE(isOn(GL_TEXTURE_2D));
    EXPECT_EQ(uploadedWidth(), picture) << "the draw uploaded a picture";
}
