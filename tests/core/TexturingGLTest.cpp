// The scene object's textured quads against a real GL.
#include "core/Mesh.h"
#include "core/SceneObject.h"
#include "tests/support/GLContext.h"

using TexturingGL = GLTest;

TEST_F(TexturingGL, ASceneObjectDrawsEveryFaceWithTheWholePictureAndLeavesTexturingOff) {
    static unsigned char pixels[4 * 4 * 3], smallPixels[2 * 2 * 3];
    Image small{2, 2, smallPixels};
    SceneObject pane;
    pane.faces = new List;
    pane.texture = new Image{4, 4, pixels};
    Mesh* face = new Mesh;
    for (const auto& [x, y] : {std::pair{-.5f, -.5f}, {-.5f, .5f}, {.5f, .5f}, {.5f, -.5f}})
        face->addVertex(new Vertex(makePoint(x, y, 0)));
    pane.faces->append(face);
    // Drawn twice: it uploads its own picture at every draw.
    for (int frame = 0; frame < 2; ++frame) {
        uploadTexture(&small);
        auto vertices = recordFeedback([&] { pane.draw(); });
        ASSERT_EQ(vertices.size(), 6u) << "one quad, two triangles";
        // Corners 0 to 3 lie at (-,-), (-,+), (+,+), (+,-) and get (0,0), (0,1), (1,1), (1,0).
        for (const FeedbackVertex& v : vertices) {
            EXPECT_EQ(v.texCoord[0], v.x > 0 ? 1 : 0);
            EXPECT_EQ(v.texCoord[1], v.y > 0 ? 1 : 0);
        }
        EXPECT_EQ(uploadedWidth(), 4);
        // Whatever it finds switched on, it leaves texturing off.
        glEnable(GL_TEXTURE_GEN_S);
        pane.draw();
        EXPECT_EQ(texturing(), std::vector<bool>(3, false));
    }
}
