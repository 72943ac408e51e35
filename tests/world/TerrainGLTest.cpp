// The terrain's draw: its strips, their texture coordinates and the state it leaves.
#include "core/Mesh.h"
#include "tests/support/GLContext.h"
#include "world/Terrain.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

class TerrainGL : public testing::Test {
protected:
    static void SetUpTestSuite() {
        std::srand(8);
        testing::internal::CaptureStdout();
        terrain = new Terrain(50, 50, tint);
        testing::internal::GetCapturedStdout();
    }
    void SetUp() override { resetGLState(); }
    void TearDown() override { EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)); }

    static float tint[3];
    static Terrain* terrain;
};

float TerrainGL::tint[3];
Terrain* TerrainGL::terrain;

TEST_F(TerrainGL, SendsSixteenStripsWithTheGrassRepeatingEveryFiftyOneUnits) {
    auto primitives = recordFeedback([&] { terrain->draw(); }, 130, 50, 0, 50);
    // 16 strips of 34 vertices are 16 * 32 triangles.
    ASSERT_EQ(primitives.size(), 16u * 32);
    float west = 1e9f, east = -1e9f;
    for (const FeedbackPrimitive& triangle : primitives) {
        ASSERT_EQ(triangle.vertices.size(), 3u);
        for (const FeedbackVertex& v : triangle.vertices) {
            EXPECT_NEAR(v.texCoord[0], (v.x - 50 - 25.5f) / 51, 1e-3f);
            EXPECT_NEAR(v.texCoord[1], (v.z - 50 - 25.5f) / 51, 1e-3f);
            west = std::min(west, v.x);
            east = std::max(east, v.x);
        }
    }
    // The skirt reaches 114 units out on both sides.
    EXPECT_NEAR(west, 50 - 114, 0.05f);
    EXPECT_NEAR(east, 50 + 114, 0.05f);
}

TEST_F(TerrainGL, UploadsTheGrassAndLeavesTexturingAndTheMatrixAsFound) {
    static unsigned char other[2 * 2 * 3];
    Image small{2, 2, other};
    uploadTexture(&small);
    glEnable(GL_TEXTURE_GEN_T);
    recordFeedback([&] { terrain->draw(); }, 200, 50, 0, 50);
    GLint width = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    EXPECT_EQ(width, terrain->groundImage->width);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_T));
    GLint shading = 0;
    glGetIntegerv(GL_SHADE_MODEL, &shading);
    EXPECT_EQ(shading, GL_SMOOTH);
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
}

}  // namespace
