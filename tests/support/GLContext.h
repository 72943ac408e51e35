// A real GL context for the tests, the fixture every GL test shares, and a feedback-mode recorder of
// what a draw sends to GL.
#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

constexpr int TEST_WINDOW_SIZE = 64;

struct FeedbackVertex {
    float x, y, z;  // object coordinates, recovered from the window coordinates GL reports
    float colour[4], texCoord[4];
    GLenum token;  // what it belongs to: GL_POINT_TOKEN, GL_POLYGON_TOKEN, GL_BITMAP_TOKEN, ...
};

// The vertices of every point, line and polygon a draw produces in feedback mode, in order; the cube
// of the given half size around the centre fills the viewport, so coordinates read back in object units.
std::vector<FeedbackVertex> recordFeedback(const std::function<void()>& draw, float halfSize = 1, float centreX = 0,
                                           float centreY = 0, float centreZ = 0);
// The colours of what recordFeedback gives, one entry per run of equal colour: r, g and b in
// hundredths, as the decimal number rrrgggbbb.
std::vector<long> colourRuns(const std::function<void()>& draw, float halfSize = 1, float centreX = 0,
                             float centreY = 0, float centreZ = 0);
// Identity matrices, nothing enabled that a draw under test might have left on, no pending error.
void resetGLState();
// The window every GL test draws into, opened by the first test, so that listing tests needs no display.
void openTestWindow();

// Every GL test starts from the state resetGLState gives and must leave no GL error behind.
class GLTest : public testing::Test {
protected:
    void SetUp() override {
        openTestWindow();
        resetGLState();
    }
    void TearDown() override { EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)); }
};

inline bool isOn(GLenum capability) { return glIsEnabled(capability) == GL_TRUE; }
// The first of the integers GL reports for the name.
inline GLint integerState(GLenum name) {
    GLint values[4] = {};
    glGetIntegerv(name, values);
    return values[0];
}

// Texturing and both texture generations, which every textured draw must leave switched off.
inline std::vector<bool> texturing() { return {isOn(GL_TEXTURE_2D), isOn(GL_TEXTURE_GEN_S), isOn(GL_TEXTURE_GEN_T)}; }

// The width of the picture in the one texture: which picture was uploaded last.
inline GLint uploadedWidth() {
    GLint width = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    return width;
}
