// The frame against a real GL: the lighting it sets up and the state it leaves behind.
#include "app/Frame.h"
#include "app/World.h"
#include "tests/support/GLContext.h"
#include "tests/support/WorldFixture.h"
#include "world/Sky.h"

#include <gtest/gtest.h>

namespace {

class FrameGL : public testing::Test {
protected:
    static void SetUpTestSuite() { populateFromSeed(41); }
    void SetUp() override { resetGLState(); }
    void TearDown() override { EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)); }
};

void expectVector(GLenum light, GLenum parameter, std::initializer_list<float> want) {
    GLfloat got[4];
    glGetLightfv(light, parameter, got);
    int i = 0;
    for (float w : want) EXPECT_NEAR(got[i++], w, 1e-5) << "parameter " << parameter << " component " << i;
}

void expectMaterial(GLenum parameter, std::initializer_list<float> want) {
    GLfloat got[4];
    glGetMaterialfv(GL_FRONT, parameter, got);
    int i = 0;
    for (float w : want) EXPECT_NEAR(got[i++], w, 1e-5) << "material " << parameter;
}

TEST_F(FrameGL, TheSpotlightIsAlmostDarkAtNoonAndBrightAtMidnight) {
    for (float daylight : {1.8f, 0.2f}) {
        worldTint[0] = worldTint[1] = worldTint[2] = daylight;
        setupLighting();
        const float spot = daylight > 1 ? 0.04f : 3.56f;
        expectVector(GL_LIGHT0, GL_AMBIENT, {spot, spot, spot, 0});
        expectVector(GL_LIGHT0, GL_DIFFUSE, {spot, spot, spot, 1});
        expectVector(GL_LIGHT0, GL_SPECULAR, {spot, spot, spot, 1});
    }
}

TEST_F(FrameGL, SetsTheSpotlightShapeTheMaterialAndTheModel) {
    worldTint[0] = 0.2f;
    setupLighting();
    expectVector(GL_LIGHT0, GL_POSITION, {0, -1, 0, 1});
    expectVector(GL_LIGHT0, GL_SPOT_DIRECTION, {0, 1, 1});
    expectVector(GL_LIGHT0, GL_SPOT_EXPONENT, {25});
    expectVector(GL_LIGHT0, GL_SPOT_CUTOFF, {45});
    // Ambient and diffuse follow the current colour through colour material; the rest stays as set.
    expectMaterial(GL_SPECULAR, {0.628281f, 0.555802f, 0.366065f, 1});
    expectMaterial(GL_SHININESS, {15.2f});
    glColor3f(0.3f, 0.4f, 0.5f);
    expectMaterial(GL_DIFFUSE, {0.3f, 0.4f, 0.5f});
    expectMaterial(GL_AMBIENT, {0.3f, 0.4f, 0.5f});
    GLfloat ambient[4];
    glGetFloatv(GL_LIGHT_MODEL_AMBIENT, ambient);
    EXPECT_EQ(ambient[0], 0.0f);
    GLint value = 0;
    glGetIntegerv(GL_LIGHT_MODEL_TWO_SIDE, &value);
    EXPECT_EQ(value, 1);
    glGetIntegerv(GL_FRONT_FACE, &value);
    EXPECT_EQ(value, GL_CW);
    glGetIntegerv(GL_SHADE_MODEL, &value);
    EXPECT_EQ(value, GL_FLAT);
    glGetIntegerv(GL_DEPTH_FUNC, &value);
    EXPECT_EQ(value, GL_LESS);
    for (GLenum on : {GL_COLOR_MATERIAL, GL_DEPTH_TEST, GL_AUTO_NORMAL, GL_NORMALIZE}) EXPECT_TRUE(glIsEnabled(on)) << on;
    // The spotlight is switched only by its own command.
    EXPECT_FALSE(glIsEnabled(GL_LIGHT0));
}

TEST_F(FrameGL, DisplayLeavesIdentityAndNoDepthTestAndTakesTheDaylight) {
    glEnable(GL_LIGHTING);
    sky->setNoon();
    display();
    GLfloat matrix[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(matrix[i], i % 5 == 0 ? 1.0f : 0.0f) << i;
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
    glGetFloatv(GL_PROJECTION_MATRIX, matrix);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(matrix[i], i % 5 == 0 ? 1.0f : 0.0f) << i;
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(worldTint[i], sky->lightColour[i]);
    EXPECT_NEAR(worldTint[0], 1.8f, 1e-5);
    // The next frame's spotlight follows the daylight this frame copied.
    setupLighting();
    expectVector(GL_LIGHT0, GL_DIFFUSE, {0.04f, 0.04f, 0.04f, 1});
}

TEST_F(FrameGL, ReshapeKeepsTheProjectionTheIdentity) {
    glMatrixMode(GL_PROJECTION);
    glOrtho(-2, 2, -2, 2, -2, 2);
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(1, 2, 3);
    reshape(32, 16);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 32);
    EXPECT_EQ(viewport[3], 16);
    GLfloat matrix[16];
    glGetFloatv(GL_PROJECTION_MATRIX, matrix);
    EXPECT_EQ(matrix[0], 1.0f);
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
    EXPECT_EQ(matrix[12], 0.0f);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    glViewport(0, 0, TEST_WINDOW_SIZE, TEST_WINDOW_SIZE);
}

}  // namespace
