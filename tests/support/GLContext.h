// A real GL context for the tests, and a feedback-mode recorder of what a draw sends to GL.
#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

// The size of the test window every GL test draws into.
constexpr int TEST_WINDOW_SIZE = 64;

struct FeedbackVertex {
    float x, y, z;     // object coordinates, recovered from the window coordinates GL reports
    float colour[4];
    float texCoord[4];
};

struct FeedbackPrimitive {
    GLenum token;  // GL_POINT_TOKEN, GL_LINE_TOKEN, GL_LINE_RESET_TOKEN or GL_POLYGON_TOKEN
    std::vector<FeedbackVertex> vertices;
};

// Records the primitives a draw produces in feedback mode with colour and texture, mapping the cube
// of the given half size around the centre onto the viewport so that coordinates can be read back
// in object units.
std::vector<FeedbackPrimitive> recordFeedback(const std::function<void()>& draw, float halfSize = 1.0f,
                                              float centreX = 0.0f, float centreY = 0.0f, float centreZ = 0.0f);

// Puts GL back in the state a fresh test expects: identity matrices, nothing enabled that a draw
// under test might have left on, no pending error.
void resetGLState();

// Every vertex of the recorded primitives, in order.
std::vector<FeedbackVertex> allVertices(const std::vector<FeedbackPrimitive>& primitives);

// Every GL test starts from the state resetGLState gives and must leave no GL error behind.
class GLTest : public testing::Test {
protected:
    void SetUp() override { resetGLState(); }
    void TearDown() override { EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)); }
};

// Whether a capability is on, for EXPECT_EQ over tables of expected states.
inline bool isOn(GLenum capability) { return glIsEnabled(capability) == GL_TRUE; }
