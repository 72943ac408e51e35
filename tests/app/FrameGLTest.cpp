// The frame against a real GL: what a person sees by night and by day, the spotlight that follows
// the daylight, and the state a frame and a reshape leave behind.
#include "app/Entry.h"
#include "app/Frame.h"
#include "tests/support/GLContext.h"
#include "tests/support/WorldFixture.h"
#include "world/Sky.h"

class FrameGL : public GLTest {
protected:
    void SetUp() override {
        populateFromSeed(41);
        GLTest::SetUp();
    }
    // A light's, or with a matrix name the matrix's, floats.
    static std::vector<float> read(GLenum name, GLenum light = 0) {
        std::vector<float> value(16);
        light ? glGetLightfv(light, name, value.data()) : glGetFloatv(name, value.data());
        return light ? std::vector<float>(value.begin(), value.begin() + 4) : value;
    }
    // Mean brightness 0..255 of the frame just drawn, read back from the buffer it was drawn into.
    static double frameBrightness() {
        std::vector<unsigned char> pixels(TEST_WINDOW_SIZE * TEST_WINDOW_SIZE * 3);
        glReadPixels(0, 0, TEST_WINDOW_SIZE, TEST_WINDOW_SIZE, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        double sum = 0;
        for (unsigned char c : pixels) sum += c;
        return sum / pixels.size();
    }
    const std::vector<float> identity{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
};

TEST_F(FrameGL, TheWorldStartsInTheNightAndIsMuchBrighterByDay) {
    registerInput();
    glViewport(0, 0, TEST_WINDOW_SIZE, TEST_WINDOW_SIZE);
    display();
    const double night = frameBrightness();
    sky->setNoon();
    display();
    const double day = frameBrightness();
    EXPECT_GT(night, 1) << "the night shows something";
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
                EXPECT_NEAR(read(parameter, GL_LIGHT0)[i], i < 3 ? spot : parameter != GL_AMBIENT, 1e-5) << daylight;
    }
}

TEST_F(FrameGL, AFrameLeavesIdentityMatricesNoDepthTestAndItsDaylightForTheNextFramesSpotlight) {
    glEnable(GL_LIGHTING);
    sky->setNoon();
    display();
    EXPECT_EQ(read(GL_MODELVIEW_MATRIX), identity);
    EXPECT_EQ(read(GL_PROJECTION_MATRIX), identity);
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
    EXPECT_FALSE(isOn(GL_DEPTH_TEST));
    setupLighting();
    EXPECT_NEAR(read(GL_DIFFUSE, GL_LIGHT0)[0], 0.04f, 1e-5);
}

TEST_F(FrameGL, AReshapeTakesTheWholeWindowAndKeepsBothMatricesTheIdentity) {
    glMatrixMode(GL_PROJECTION);
    glOrtho(-2, 2, -2, 2, -2, 2);
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(1, 2, 3);
    reshape(32, 16);
    GLint viewport[4], mode = 0;
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ((std::vector<GLint>{viewport[2], viewport[3], mode}), (std::vector<GLint>{32, 16, GL_MODELVIEW}));
    EXPECT_EQ(read(GL_PROJECTION_MATRIX), identity);
    EXPECT_EQ(read(GL_MODELVIEW_MATRIX), identity);
    glViewport(0, 0, TEST_WINDOW_SIZE, TEST_WINDOW_SIZE);
}
