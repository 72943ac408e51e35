// A real GL context for the tests, made by GLUT on the X display the test command provides.
#include "tests/support/GLContext.h"

#include "app/Entry.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cmath>

static void identityMatrices() {
    for (GLenum matrix : {GL_PROJECTION, GL_MODELVIEW}) glMatrixMode(matrix), glLoadIdentity();
}

std::vector<FeedbackVertex> recordFeedback(const std::function<void()>& draw, float halfSize, float centreX,
                                           float centreY, float centreZ) {
    static std::vector<GLfloat> buffer(1 << 22);
    glViewport(0, 0, TEST_WINDOW_SIZE, TEST_WINDOW_SIZE);
    identityMatrices();
    glScalef(1 / halfSize, 1 / halfSize, 1 / halfSize);
    glTranslatef(-centreX, -centreY, -centreZ);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint used = glRenderMode(GL_RENDER);
    glLoadIdentity();
    EXPECT_GE(used, 0) << "feedback buffer overflow";

    auto toObject = [&](float window, float centre) { return (window / TEST_WINDOW_SIZE * 2 - 1) * halfSize + centre; };
    std::vector<FeedbackVertex> vertices;
    for (GLint at = 0; at < used;) {
        const GLenum token = static_cast<GLenum>(buffer[at++]);
        int count = 1;  // a point, a bitmap or a pixel rectangle
        if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) count = 2;
        if (token == GL_POLYGON_TOKEN) count = static_cast<int>(buffer[at++]);
        for (int i = 0; i < count; ++i, at += 11) {
            FeedbackVertex v{toObject(buffer[at], centreX), toObject(buffer[at + 1], centreY),
                             (buffer[at + 2] * 2 - 1) * halfSize + centreZ, {}, {}, token};
            std::copy(&buffer[at + 3], &buffer[at + 7], v.colour);
            std::copy(&buffer[at + 7], &buffer[at + 11], v.texCoord);
            vertices.push_back(v);
        }
    }
    return vertices;
}

std::vector<long> colourRuns(const std::function<void()>& draw, float halfSize, float centreX, float centreY,
                             float centreZ) {
    std::vector<long> runs;
    for (const FeedbackVertex& v : recordFeedback(draw, halfSize, centreX, centreY, centreZ)) {
        long colour = 0;
        for (int i = 0; i < 3; ++i) colour = colour * 1000 + std::lround(v.colour[i] * 100);
        if (runs.empty() || runs.back() != colour) runs.push_back(colour);
    }
    return runs;
}

void resetGLState() {
    identityMatrices();
    for (GLenum capability : {GL_LIGHTING, GL_TEXTURE_2D, GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T, GL_BLEND,
                              GL_DEPTH_TEST, GL_CULL_FACE, GL_COLOR_MATERIAL, GL_LIGHT0, GL_LIGHT1})
        glDisable(capability);
    glColor4f(1, 1, 1, 1);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    while (glGetError() != GL_NO_ERROR) {
    }
}

void openTestWindow() {
    static bool open = false;
    if (open) return;
    open = true;
    int argc = 1;
    char name[] = "gl_tests", *argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(TEST_WINDOW_SIZE, TEST_WINDOW_SIZE);
    glutCreateWindow("gl_tests");
    // As the program's window: a single uploaded level is a complete texture.
    setTextureFiltering();
}
