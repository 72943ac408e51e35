// The scene object's textured quad draw, checked against a real GL.
#include "core/Mesh.h"
#include "core/SceneObject.h"
#include "tests/support/GLContext.h"

#include <gtest/gtest.h>

namespace {

class SceneObjectGL : public testing::Test {
protected:
    void SetUp() override { resetGLState(); }
    void TearDown() override { EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)); }
};

unsigned char pixels[4 * 4 * 3];

class Pane : public SceneObject {
public:
    explicit Pane(int corners) {
        faces = new List;
        texture = new Image{4, 4, pixels};
        Mesh* face = new Mesh;
        const float xy[5][2] = {{-0.5f, -0.5f}, {-0.5f, 0.5f}, {0.5f, 0.5f}, {0.5f, -0.5f}, {0, -0.7f}};
        for (int i = 0; i < corners; ++i) face->addVertex(new Vertex(makePoint(xy[i][0], xy[i][1], 0)));
        faces->append(face);
    }
};

GLint uploadedWidth() {
    GLint width = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    return width;
}

TEST_F(SceneObjectGL, EveryCornerCarriesItsPositionsTextureCoordinate) {
    Pane pane(4);
    auto vertices = allVertices(recordFeedback([&] { pane.draw(); }));
    ASSERT_EQ(vertices.size(), 6u) << "one quad, two triangles";
    for (const FeedbackVertex& v : vertices) {
        // Positions 0, 1, 2, 3 lie at (-,-), (-,+), (+,+), (+,-) and get (0,0), (0,1), (1,1), (1,0).
        EXPECT_FLOAT_EQ(v.texCoord[0], v.x > 0 ? 1 : 0);
        EXPECT_FLOAT_EQ(v.texCoord[1], v.y > 0 ? 1 : 0);
    }
}

TEST_F(SceneObjectGL, DrawsEveryFaceAsAQuadWhateverItsCount) {
    // Five corners still go out as GL_QUADS: the fifth is dropped by GL, not drawn as a polygon.
    Pane pane(5);
    auto vertices = allVertices(recordFeedback([&] { pane.draw(); }));
    ASSERT_EQ(vertices.size(), 6u);
    for (const FeedbackVertex& v : vertices) EXPECT_GT(v.y, -0.6f);
}

TEST_F(SceneObjectGL, UploadsItsPictureEveryTimeAndLeavesTexturingOff) {
    Pane pane(4);
    static unsigned char other[2 * 2 * 3];
    Image small{2, 2, other};
    for (int frame = 0; frame < 2; ++frame) {
        uploadTexture(&small);
        pane.draw();
        EXPECT_EQ(uploadedWidth(), 4) << "frame " << frame;
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S));
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_T));
    }
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
}

TEST_F(SceneObjectGL, WithoutFacesStillUploadsThePicture) {
    Pane pane(4);
    pane.faces->clear();
    static unsigned char other[2 * 2 * 3];
    Image small{2, 2, other};
    uploadTexture(&small);
    glEnable(GL_TEXTURE_GEN_S);
    EXPECT_TRUE(recordFeedback([&] { pane.draw(); }).empty());
    EXPECT_EQ(uploadedWidth(), 4);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S));
}

}  // namespace
