// The frame against a real GL: night and day, the spotlight, and the state a reshape and a frame leave.
#include "app/Entry.h"
#include "app/Frame.h"
#include "app/Overlay.h"
#include "tests/support/GLContext.h"
#include "tests/support/WorldFixture.h"
#include "world/Sky.h"

class FrameGL : public GLTest {
protected:
    void SetUp() override {
        populateFromSeed(41);
        GLTest::SetUp();
    }
    static std::vector<float> spotlight(GLenum parameter) {
        std::vector<float> value(4);
        glGetLightfv(GL_LIGHT0, parameter, value.data());
        return value;
    }
};

TEST_F(FrameGL, TheWorldStartsInTheNightAndIsMuchBrighterByDay) {
    // Mean brightness 0..255 of the frame just drawn, read back from the buffer it was drawn into.
    auto brightness = [] {
        std::vector<unsigned char> pixels(TEST_WINDOW_SIZE * TEST_WINDOW_SIZE * 3);
        glReadPixels(0, 0, TEST_WINDOW_SIZE, TEST_WINDOW_SIZE, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        double sum = 0;
        for (unsigned char c : pixels) sum += c;
        return sum / pixels.size();
    };
    registerInput();
    // The world alone, without the title card over it.
    overlay->titleFrames = 0;
    display();
    const double night = brightness();
    sky->setNoon();
    display();
    const double day = brightness();
    EXPECT_LT(night, 25);
    EXPECT_GT(day, 3 * night + 20) << "night " << night << ", day " << day;
}

TEST_F(FrameGL, TheSpotlightIsAlmostDarkAtNoonAndBrightAtMidnight) {
    for (const auto& [daylight, spot] : {std::pair{1.8f, 0.04f}, {0.2f, 3.56f}}) {
        worldTint[0] = worldTint[1] = worldTint[2] = daylight;
        setupLighting();
        // Grey light of the spot's level; alpha 0 in the ambient term, 1 in the others.
        for (GLenum parameter : {GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR})
            for (int i = 0; i < 4; ++i)
                EXPECT_NEAR(spotlight(parameter)[i], i < 3 ? spot : parameter != GL_AMBIENT, 1e-5) << daylight;
    }
}

TEST_F(FrameGL, AReshapeAndAFrameLeaveIdentityMatricesNoDepthTestAndTheDaylightForTheNextSpotlight) {
    glMatrixMode(GL_PROJECTION);
    glOrtho(-2, 2, -2, 2, -2, 2);
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(1, 2, 3);
    glViewport(0, 0, 1, 1);
    reshape(TEST_WINDOW_SIZE, TEST_WINDOW_SIZE);
    GLint viewport[4], mode = 0, depth = 0;
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ((std::vector<GLint>{viewport[2], viewport[3], mode}), (std::vector<GLint>{64, 64, GL_MODELVIEW}));
    glEnable(GL_LIGHTING);
    sky->setNoon();
    display();
    const std::vector<float> identity{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    for (GLenum matrix : {GL_MODELVIEW_MATRIX, GL_PROJECTION_MATRIX}) {
        std::vector<float> value(16);
        glGetFloatv(matrix, value.data());
        EXPECT_EQ(value, identity) << matrix;
    }
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
    EXPECT_FALSE(isOn(GL_DEPTH_TEST));
    setupLighting();
    EXPECT_NEAR(spotlight(GL_DIFFUSE)[0], 0.04f, 1e-5);
}
