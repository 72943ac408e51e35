// A real GL context for the tests, made by GLUT on the X display the test command provides.
#include "tests/support/GLContext.h"

#include "app/Entry.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

namespace {

class GLEnvironment : public testing::Environment {
public:
    void SetUp() override {
        int argc = 1;
        char name[] = "gl_tests";
        char* argv[] = {name, nullptr};
        glutInit(&argc, argv);
        glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
        glutInitWindowSize(TEST_WINDOW_SIZE, TEST_WINDOW_SIZE);
        glutCreateWindow("gl_tests");
        setTextureFiltering();
        resetGLState();
    }
};

}  // namespace

std::vector<FeedbackPrimitive> recordFeedback(const std::function<void()>& draw, float halfSize, float centreX,
                                              float centreY, float centreZ) {
    static std::vector<GLfloat> buffer(1 << 22);
    glViewport(0, 0, TEST_WINDOW_SIZE, TEST_WINDOW_SIZE);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glScalef(1.0f / halfSize, 1.0f / halfSize, 1.0f / halfSize);
    glTranslatef(-centreX, -centreY, -centreZ);

    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    GLint used = glRenderMode(GL_RENDER);
    glLoadIdentity();

    std::vector<FeedbackPrimitive> primitives;
    EXPECT_GE(used, 0) << "feedback buffer overflow";
    auto readVertex = [&](GLint& at) {
        FeedbackVertex v;
        auto toObject = [&](float window, float centre) {
            return (window / TEST_WINDOW_SIZE * 2.0f - 1.0f) * halfSize + centre;
        };
        v.x = toObject(buffer[at], centreX);
        v.y = toObject(buffer[at + 1], centreY);
        v.z = (buffer[at + 2] * 2.0f - 1.0f) * halfSize + centreZ;
        for (int i = 0; i < 4; ++i) v.colour[i] = buffer[at + 3 + i];
        for (int i = 0; i < 4; ++i) v.texCoord[i] = buffer[at + 7 + i];
        at += 11;
        return v;
    };
    for (GLint at = 0; at < used;) {
        FeedbackPrimitive primitive;
        primitive.token = static_cast<GLenum>(buffer[at++]);
        int count = 0;
        switch (primitive.token) {
        case GL_POINT_TOKEN: count = 1; break;
        case GL_LINE_TOKEN:
        case GL_LINE_RESET_TOKEN: count = 2; break;
        case GL_POLYGON_TOKEN: count = static_cast<int>(buffer[at++]); break;
        case GL_BITMAP_TOKEN:
        case GL_DRAW_PIXEL_TOKEN:
        case GL_COPY_PIXEL_TOKEN: count = 1; break;
        case GL_PASS_THROUGH_TOKEN: ++at; break;
        default: ADD_FAILURE() << "unknown feedback token " << primitive.token; return primitives;
        }
        for (int i = 0; i < count; ++i) primitive.vertices.push_back(readVertex(at));
        primitives.push_back(primitive);
    }
    return primitives;
}

void resetGLState() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    for (GLenum capability : {GL_LIGHTING, GL_TEXTURE_2D, GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T, GL_BLEND,
                              GL_DEPTH_TEST, GL_CULL_FACE, GL_COLOR_MATERIAL, GL_LIGHT0, GL_LIGHT1})
        glDisable(capability);
    glColor4f(1, 1, 1, 1);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    while (glGetError() != GL_NO_ERROR) {
    }
}

std::vector<FeedbackVertex> allVertices(const std::vector<FeedbackPrimitive>& primitives) {
    std::vector<FeedbackVertex> vertices;
    for (const FeedbackPrimitive& primitive : primitives)
        vertices.insert(vertices.end(), primitive.vertices.begin(), primitive.vertices.end());
    return vertices;
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    testing::AddGlobalTestEnvironment(new GLEnvironment);
    return RUN_ALL_TESTS();
}
