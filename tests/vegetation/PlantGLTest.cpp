// What the plants send to GL: their colours scaled by the tint, texture only where they have a picture.
#include "tests/support/GLContext.h"
#include "vegetation/Dandelion.h"
#include "vegetation/DeciduousTree.h"
#include "vegetation/Spruce.h"

#include <cmath>

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
    size_t leaves = 0;
    for (Mesh* face : items<Mesh>(tree->faces)) leaves += face->vertexCount() == 3;
    // Every face comes back as triangles: the leaves first, then the tubes.
    const std::vector<FeedbackVertex> vertices = recordFeedback([&] { tree->draw(); }, 100, 0, 15, 0);
    ASSERT_GT(vertices.size(), 3 * leaves);
    // Colour and texture coordinate: the leaves' blue is clamped at 1, the picture's tip at the stalk.
    const float leaf[3][5] = {{0.5f, 1, 1, 0.5f, 1}, {0.5f, 1, 1, 1, 0}, {0.5f, 1, 1, 0, 0}};
    const float bark[3] = {0.5f * 0.49f, 0.17f, 0};
    for (size_t i = 0; i < vertices.size(); ++i) {
        const size_t p = i / 3, k = i % 3;
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(vertices[i].colour[c], p < leaves ? leaf[k][c] : bark[c], 1e-6) << p;
        for (int c = 0; c < 2 && p < leaves; ++c) EXPECT_EQ(vertices[i].texCoord[c], leaf[k][3 + c]) << p;
    }
    EXPECT_EQ(texturing(), std::vector<bool>(3, false));
}

TEST_F(PlantGL, TheSpruceDrawsBarkAndNeedlesInTheTintUntexturedWithThinLines) {
    SpruceTrunk* spruce = tinted<SpruceTrunk>(6);
    glLineWidth(4);
    int bark = 0, needle = 0;
    for (const FeedbackVertex& v : recordFeedback([&] { spruce->draw(); }, 40, 0, 20, 0)) {
        const bool isBark = v.colour[1] < 0.3f;
        const float expected[3] = {isBark ? 0.245f : 0.0f, isBark ? 0.17f : 0.41f, isBark ? 0.0f : 0.1f};
        for (int i = 0; i < 3; ++i) EXPECT_NEAR(v.colour[i], expected[i], 1e-3) << i;
        ++(isBark ? bark : needle);
    }
    // Six triangles a tube: bark for 5 + b tubes, green for the 150 + 10 b needles of trunk and b branches.
    EXPECT_EQ(needle - 10 * bark, 100 * 18);
    EXPECT_EQ(std::make_pair(isOn(GL_TEXTURE_2D), integerState(GL_LINE_WIDTH)), std::make_pair(false, 1));
}

TEST_F(PlantGL, TheDandelionDrawsLeavesThenEveryStemAndItsHeadInTintedColoursUntextured) {
    Dandelion* plant = tinted<Dandelion>(2);
    const GLint picture = uploadedWidth();
    // One entry per run of equal colour, r, g and b in hundredths as rrrgggbbb: the leaves, then each
    // of the two stems and its head, the stem colour set again after the first head.
    std::vector<long> runs;
    for (const FeedbackVertex& v : recordFeedback([&] { plant->draw(); }, 12, 0, 5, 0)) {
        long colour = 0;
        for (int i = 0; i < 3; ++i) colour = colour * 1000 + std::lround(v.colour[i] * 100);
        if (runs.empty() || runs.back() != colour) runs.push_back(colour);
    }
    EXPECT_EQ(runs, (std::vector<long>{10070020, 20090100, 45086048, 20090100, 45086048}));
    EXPECT_FALSE(isOn(GL_TEXTURE_2D));
    EXPECT_EQ(uploadedWidth(), picture) << "the draw uploaded a picture";
}
