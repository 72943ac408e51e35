// What the deciduous tree sends to GL: textured leaves in the tint, then untextured bark-brown tubes.
#include "tests/support/GLContext.h"
#include "vegetation/DeciduousTree.h"

#include <cstring>

namespace {

class DeciduousTreeGL : public GLTest {};

TEST_F(DeciduousTreeGL, TexturesOnlyTheLeavesAndScalesItsColoursByTheTint) {
    float tint[3] = {0.5f, 1.0f, 2.0f}, position[3] = {0, 0, 0};
    std::srand(3);
    DeciduousTree tree(position, tint);
    size_t leaves = 0;
    for (Mesh* face : items<Mesh>(tree.faces)) leaves += face->vertexCount() == 3;
    // Every face comes back as triangles: the leaves first, then the tubes.
    const std::vector<FeedbackVertex> vertices = recordFeedback([&] { tree.draw(); }, 100, 0, 15, 0);
    ASSERT_GT(vertices.size(), 3 * leaves);
    // Colour and texture coordinate: the leaves' blue is clamped at 1, the picture's tip at the stalk.
    const float leaf[3][5] = {{0.5f, 1, 1, 0.5f, 1}, {0.5f, 1, 1, 1, 0}, {0.5f, 1, 1, 0, 0}};
    const float bark[3] = {0.5f * 0.49f, 0.17f, 0};
    for (size_t i = 0; i < vertices.size(); ++i) {
        const size_t p = i / 3, k = i % 3;
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(vertices[i].colour[c], p < leaves ? leaf[k][c] : bark[c], 1e-6) << p;
        for (int c = 0; c < 2 && p < leaves; ++c) EXPECT_EQ(vertices[i].texCoord[c], leaf[k][3 + c]) << p;
    }
    for (GLenum capability : {GL_TEXTURE_2D, GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T}) EXPECT_FALSE(isOn(capability));

    // With a black leaf picture a textured trunk would come out black. Only the trunk's foot is in view.
    std::memset(tree.leafImage->pixels, 0, tree.leafImage->width * tree.leafImage->height * 3);
    glClear(GL_COLOR_BUFFER_BIT);
    glScalef(4, 4, 0.5f);
    glTranslatef(0, -1, 0);
    tree.draw();
    unsigned char pixel[3];
    glReadPixels(TEST_WINDOW_SIZE / 2, TEST_WINDOW_SIZE / 2, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, pixel);
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(pixel[c], bark[c] * 255, 1.5) << c;
}

}  // namespace
