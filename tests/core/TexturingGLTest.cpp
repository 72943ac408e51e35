// Textures against a real GL: the picture as uploaded, and the scene object's textured quads.
#include "core/Mesh.h"
#include "core/SceneObject.h"
#include "tests/support/GLContext.h"

using TexturingGL = GLTest;

TEST_F(TexturingGL, UploadSendsThePictureRowsAsTheyCameWithThreeComponents) {
    std::vector<unsigned char> pixels(4 * 2 * 3), stored(pixels.size());
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<unsigned char>(i * 10);
    Image image{4, 2, pixels.data()};
    uploadTexture(&image);
    GLint height = 0, format = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
    EXPECT_EQ((std::vector<GLint>{uploadedWidth(), height, format}), (std::vector<GLint>{4, 2, 3}));
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, stored.data());
    EXPECT_EQ(stored, pixels);
    closeTexture();
}

TEST_F(TexturingGL, ASceneObjectDrawsEveryFaceWithTheWholePictureAndLeavesTexturingOff) {
    static unsigned char pixels[4 * 4 * 3], smallPixels[2 * 2 * 3];
    Image small{2, 2, smallPixels};
    SceneObject pane;
    pane.faces = new List;
    pane.texture = new Image{4, 4, pixels};
    Mesh* face = new Mesh;
    for (float* corner : {makePoint(-.5f, -.5f, 0), makePoint(-.5f, .5f, 0), makePoint(.5f, .5f, 0), makePoint(.5f, -.5f, 0)})
        face->addVertex(new Vertex(corner));
    pane.faces->append(face);
    // With its face, then without any: it uploads its own picture at every draw all the same.
    for (size_t triangles : {2, 0}) {
        uploadTexture(&small);
        glEnable(GL_TEXTURE_GEN_S);
        auto vertices = recordFeedback([&] { pane.draw(); });
        ASSERT_EQ(vertices.size(), 3 * triangles);
        // Corners 0 to 3 lie at (-,-), (-,+), (+,+), (+,-) and get (0,0), (0,1), (1,1), (1,0).
        for (const FeedbackVertex& v : vertices)
            EXPECT_EQ((std::vector<float>{v.texCoord[0], v.texCoord[1]}), (std::vector<float>{v.x > 0 ? 1.f : 0.f, v.y > 0 ? 1.f : 0.f}));
        EXPECT_EQ(uploadedWidth(), 4);
        EXPECT_EQ(texturing(), std::vector<bool>(3, false));
        pane.faces->clear();
    }
}
