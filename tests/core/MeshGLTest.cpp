// What vertices and meshes send to a real GL: primitives, coordinates and texture coordinates.
#include "core/Mesh.h"
#include "tests/support/GLContext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

namespace {

class MeshGL : public testing::Test {
protected:
    void SetUp() override { resetGLState(); }
    void TearDown() override { EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)); }
};

Vertex* point(float x, float y, float z) { return new Vertex(makePoint(x, y, z)); }

// Which of the given positions each recorded triangle uses, by index.
std::vector<std::set<int>> triangleCorners(const std::vector<FeedbackPrimitive>& primitives,
                                           const std::vector<std::vector<float>>& positions) {
    std::vector<std::set<int>> triangles;
    for (const FeedbackPrimitive& primitive : primitives) {
        std::set<int> corners;
        for (const FeedbackVertex& v : primitive.vertices)
            for (size_t i = 0; i < positions.size(); ++i)
                if (std::abs(v.x - positions[i][0]) < 1e-3f && std::abs(v.y - positions[i][1]) < 1e-3f &&
                    std::abs(v.z - positions[i][2]) < 1e-3f)
                    corners.insert(static_cast<int>(i));
        triangles.push_back(corners);
    }
    return triangles;
}

TEST_F(MeshGL, VertexEmitSendsItsDimension) {
    float two[3] = {0.25f, 0.5f, 0};
    float three[4] = {0.25f, 0.5f, 0.75f, 0};
    float four[5] = {0.5f, 1.0f, 1.5f, 2.0f, 0};
    auto primitives = recordFeedback([&] {
        glBegin(GL_POINTS);
        Vertex(2, two).emit();
        Vertex(3, three).emit();
        Vertex(4, four).emit();
        Vertex(1, two).emit();
        Vertex(5, four).emit();
        glEnd();
    });
    ASSERT_EQ(primitives.size(), 3u);
    EXPECT_NEAR(primitives[0].vertices[0].z, 0.0f, 1e-5f);
    EXPECT_NEAR(primitives[1].vertices[0].z, 0.75f, 1e-5f);
    // Homogeneous (0.5, 1, 1.5, 2) is the point (0.25, 0.5, 0.75).
    EXPECT_NEAR(primitives[2].vertices[0].x, 0.25f, 1e-5f);
    EXPECT_NEAR(primitives[2].vertices[0].z, 0.75f, 1e-5f);
}

TEST_F(MeshGL, AutomaticModeDrawsByVertexCount) {
    const std::vector<std::vector<float>> corners = {{-0.5f, -0.5f, 0}, {0.5f, -0.5f, 0}, {0.5f, 0.5f, 0},
                                                     {-0.5f, 0.5f, 0}, {-0.7f, 0, 0}};
    Mesh mesh;
    auto record = [&] { return recordFeedback([&] { mesh.draw(); }); };
    EXPECT_TRUE(record().empty()) << "an empty mesh draws an empty batch";

    mesh.addVertex(point(corners[0][0], corners[0][1], corners[0][2]));
    auto points = record();
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0].token, static_cast<GLenum>(GL_POINT_TOKEN));

    mesh.addVertex(point(corners[1][0], corners[1][1], corners[1][2]));
    auto lines = record();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].token, static_cast<GLenum>(GL_POLYGON_TOKEN));
    EXPECT_EQ(lines[0].vertices.size(), 2u);

    mesh.addVertex(point(corners[2][0], corners[2][1], corners[2][2]));
    EXPECT_EQ(triangleCorners(record(), corners), (std::vector<std::set<int>>{{0, 1, 2}}));

    mesh.addVertex(point(corners[3][0], corners[3][1], corners[3][2]));
    auto quad = triangleCorners(record(), corners);
    std::set<int> covered;
    for (auto& t : quad) covered.insert(t.begin(), t.end());
    EXPECT_EQ(covered, (std::set<int>{0, 1, 2, 3}));

    // A quad would drop the fifth vertex; a polygon uses it.
    mesh.addVertex(point(corners[4][0], corners[4][1], corners[4][2]));
    covered.clear();
    for (auto& t : triangleCorners(record(), corners)) covered.insert(t.begin(), t.end());
    EXPECT_EQ(covered, (std::set<int>{0, 1, 2, 3, 4}));
}

TEST_F(MeshGL, ExplicitStripIgnoresTheVertexCount) {
    const std::vector<std::vector<float>> corners = {{-0.5f, -0.5f, 0}, {-0.5f, 0.5f, 0}, {0.5f, -0.5f, 0},
                                                     {0.5f, 0.5f, 0}};
    Mesh strip(GL_TRIANGLE_STRIP);
    for (auto& c : corners) strip.addVertex(point(c[0], c[1], c[2]));
    auto triangles = triangleCorners(recordFeedback([&] { strip.draw(); }), corners);
    EXPECT_EQ(triangles, (std::vector<std::set<int>>{{0, 1, 2}, {1, 2, 3}}));
}

TEST_F(MeshGL, TexturedMeshSendsOneCoordinatePerVertex) {
    Mesh mesh(GL_TRIANGLES);
    mesh.enableTexture();
    mesh.append(point(-0.5f, -0.5f, 0), point(0.25f, 0.75f, 9));
    mesh.append(point(0.5f, -0.5f, 0), point(1, 0, 9));
    mesh.append(point(0, 0.5f, 0), point(0.5f, 1, 9));
    auto vertices = allVertices(recordFeedback([&] { mesh.draw(); }));
    ASSERT_EQ(vertices.size(), 3u);
    const float expected[3][2] = {{0.25f, 0.75f}, {1, 0}, {0.5f, 1}};
    for (const FeedbackVertex& v : vertices) {
        int corner = v.x < -0.4f ? 0 : v.x > 0.4f ? 1 : 2;
        EXPECT_FLOAT_EQ(v.texCoord[0], expected[corner][0]);
        EXPECT_FLOAT_EQ(v.texCoord[1], expected[corner][1]);
        // Only s and t are sent: r keeps its default instead of the third component.
        EXPECT_FLOAT_EQ(v.texCoord[2], 0);
    }
}

}  // namespace
