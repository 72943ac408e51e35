// The spruce's draw: bark and needles in their colours scaled by the tint, untextured, thin lines.
#include "tests/support/GLContext.h"
#include "vegetation/Spruce.h"

#include <gtest/gtest.h>

namespace {

TEST_F(GLTest, SpruceDrawsBarkAndNeedlesInTheTintWithoutTexture) {
    float tint[3] = {0.5f, 1, 2};
    std::srand(6);
    testing::internal::CaptureStdout();
    SpruceTrunk spruce(makePoint(0, 0, 0), tint);
    testing::internal::GetCapturedStdout();
    glLineWidth(4);
    int bark = 0, needle = 0;
    for (const FeedbackVertex& v : recordFeedback([&] { spruce.draw(); }, 40, 0, 20, 0)) {
        const bool isBark = v.colour[1] < 0.3f;
        const float expected[3] = {isBark ? 0.245f : 0.0f, isBark ? 0.17f : 0.41f, isBark ? 0.0f : 0.1f};
        for (int i = 0; i < 3; ++i) EXPECT_NEAR(v.colour[i], expected[i], 1e-3) << i;
        ++(isBark ? bark : needle);
    }
    // Six triangles a tube: bark for 5 + b tubes, green for the 150 + 10 b needles of trunk and b branches.
    EXPECT_EQ(needle - 10 * bark, 100 * 18);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    GLfloat lineWidth = 0;
    glGetFloatv(GL_LINE_WIDTH, &lineWidth);
    EXPECT_EQ(lineWidth, 1.0f);
}

}  // namespace
