// The world of the real program: the night landscape a person first sees, and the GL calls of one
// frame in the order the frame makes them, recorded by a tracer.
#include "tests/support/Viewer.h"
#include "tests/support/WorldFixture.h"
#include "vegetation/Dandelion.h"
#include "vegetation/DeciduousTree.h"
#include "vegetation/Juniper.h"
#include "vegetation/Spruce.h"
#include "world/Terrain.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <regex>
#include <sstream>

// The traced calls from first to last, every number in their arguments as '#'; of the GLX calls
// only the swap, without its arguments.
static std::vector<std::string> tracedCalls(const std::string& trace, long first, long last) {
    std::vector<std::string> calls;
    std::istringstream lines(commandOutput("apitrace dump --arg-names=no --call-nos=no --calls=" +
                                           std::to_string(first) + "-" + std::to_string(last) + " " + trace));
    const std::regex call("^(\\w+)\\((.*)\\)( = .*)?$"), number("(^|[^\\w.])-?\\d+(\\.\\d+)?(e[-+]?\\d+)?");
    std::smatch match;
    for (std::string line; std::getline(lines, line);) {
        if (!std::regex_match(line, match, call)) continue;
        const std::string name = match[1], arguments = std::regex_replace(std::string(match[2]), number, "$1#");
        if (name == "glXSwapBuffers" || name.rfind("glX", 0) != 0)
            calls.push_back(name == "glXSwapBuffers" ? name : name + "(" + arguments + ")");
    }
    return calls;
}

// The calls one frame must make, assembled from one part per kind of thing it draws.
struct ExpectedFrame {
    std::vector<std::string> calls{"glClearColor(#, #, #, #)", "glClear(GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT)",
                                   "glLoadIdentity()", "glPushMatrix()"};
    // Each text holds one or more calls, separated by "; ".
    ExpectedFrame& add(std::initializer_list<std::string> texts) {
        for (const std::string& text : texts)
            for (size_t at = 0, end = 0; at < text.size(); at = end + 2) {
                end = std::min(text.find("; ", at), text.size());
                calls.push_back(text.substr(at, end - at));
            }
        return *this;
    }
    // Batches of the primitive, each of as many vertices, each vertex made of the same calls.
    ExpectedFrame& batches(int count, const std::string& primitive, int vertices, const std::string& vertex) {
        for (int batch = 0; batch < count; ++batch) {
            calls.push_back("glBegin(" + primitive + ")");
            for (int v = 0; v < vertices; ++v) add({vertex});
            calls.push_back("glEnd()");
        }
        return *this;
    }

    const std::string vertex = "glVertex3fv({#, #, #})", texturedVertex = "glTexCoord2f(#, #); " + vertex;
    const std::string picture = "glTexImage2D(GL_TEXTURE_2D, #, #, #, #, #, GL_RGB, GL_UNSIGNED_BYTE, blob(#))";
    const std::string texGen = "glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR); "
                               "glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR)";
    const std::string repeatTexturing = "glEnable(GL_TEXTURE_2D); " + texGen + "; glTexParameterf(GL_TEXTURE_2D, "
        "GL_TEXTURE_WRAP_S, GL_REPEAT); glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT)";
    const std::string closeTexture =
        "glDisable(GL_TEXTURE_2D); glDisable(GL_TEXTURE_GEN_S); glDisable(GL_TEXTURE_GEN_T)";
    // A colour that modulates the picture: before every world object the world's tint.
    const std::string modulatedColour =
        "glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE); glColor3f(#, #, #)";

    // The lighting, the sun's light, the perspective and the camera.
    ExpectedFrame& lightingAndCamera() {
        const std::string matrix = "{#, #, #, #, #, #, #, #, #, #, #, #, #, #, #, #})";
        return add({
            "glShadeModel(GL_FLAT); glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, #); glEnable(GL_COLOR_MATERIAL); "
            "glEnable(GL_DEPTH_TEST); glDepthFunc(GL_LESS); glLightfv(GL_LIGHT0, GL_POSITION, {#, #, #, #}); "
            "glLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, {#, #, #}); "
            "glLightModelfv(GL_LIGHT_MODEL_AMBIENT, {#, #, #, #}); glFrontFace(GL_CW); glEnable(GL_AUTO_NORMAL); "
            "glEnable(GL_NORMALIZE); glLightf(GL_LIGHT0, GL_SPOT_EXPONENT, #); "
            "glLightf(GL_LIGHT0, GL_SPOT_CUTOFF, #); glLightf(GL_LIGHT0, GL_SPOT_EXPONENT, #); "
            "glLightfv(GL_LIGHT0, GL_POSITION, {#, #, #, #}); glLightfv(GL_LIGHT0, GL_AMBIENT, {#, #, #, #}); "
            "glLightfv(GL_LIGHT0, GL_DIFFUSE, {#, #, #, #}); glLightfv(GL_LIGHT0, GL_SPECULAR, {#, #, #, #}); "
            "glMaterialfv(GL_FRONT, GL_SPECULAR, {#, #, #, #}); glMaterialfv(GL_FRONT, GL_DIFFUSE, {#, #, #, #}); "
            "glMaterialfv(GL_FRONT, GL_AMBIENT, {#, #, #, #}); glMaterialfv(GL_FRONT, GL_SHININESS, &#)",
            "glLightfv(GL_LIGHT1, GL_POSITION, {#, #, #, #}); glLightfv(GL_LIGHT1, GL_DIFFUSE, {#, #, #, #})",
            "glMultMatrixd(" + matrix, "glMultMatrixf(" + matrix, "glTranslated(#, #, #); glEnable(GL_DEPTH_TEST)"});
    }
    // The dome with its picture, then the sun.
    ExpectedFrame& sky() {
        add({"glPushMatrix(); glDisable(GL_LIGHTING); glPushMatrix()", picture, "glShadeModel(GL_SMOOTH)",
             repeatTexturing, modulatedColour});
        batches(32, "GL_TRIANGLE_STRIP", 66, texturedVertex);
        add({closeTexture, "glPopMatrix(); glPushMatrix(); glTranslatef(#, #, #); glColor3f(#, #, #)"});
        batches(16, "GL_TRIANGLE_STRIP", 34, vertex);
        return add({"glPopMatrix(); glEnable(GL_LIGHTING); glPopMatrix()"});
    }
    ExpectedFrame& terrain() {
        add({modulatedColour, "glPushMatrix(); glShadeModel(GL_SMOOTH)", picture, repeatTexturing, "glPushMatrix()"});
        batches(16, "GL_TRIANGLE_STRIP", 34, texturedVertex);
        return add({"glPopMatrix()", closeTexture, "glPopMatrix()"});
    }
    // A scene object drawn by the base class: its picture, then every face as a quad with the whole picture.
    ExpectedFrame& texturedObject(int quads) {
        add({modulatedColour, picture, repeatTexturing, "glPushMatrix()"});
        batches(quads, "GL_QUADS", 4, texturedVertex);
        return add({"glPopMatrix()", closeTexture});
    }
    ExpectedFrame& strip(const Mesh* mesh) { return batches(1, "GL_TRIANGLE_STRIP", mesh->vertexCount(), vertex); }
    ExpectedFrame& strips(List* meshes) {
        for (const Mesh* mesh : items<Mesh>(meshes)) strip(mesh);
        return *this;
    }
    // The leaves textured first, then the tubes in bark brown.
    ExpectedFrame& deciduousTree(DeciduousTree* tree) {
        add({modulatedColour, "glColor3f(#, #, #); glPushMatrix()", picture, repeatTexturing});
        int leaves = 0;
        for (const Mesh* face : items<Mesh>(tree->faces)) leaves += face->vertexCount() == 3;
        batches(leaves, "GL_TRIANGLES", 3, "glTexCoord2fv({#, #}); " + vertex);
        add({closeTexture, "glPopMatrix(); glColor3f(#, #, #)"});
        for (const Mesh* face : items<Mesh>(tree->faces))
            if (face->vertexCount() != 3) strip(face);
        return *this;
    }
    ExpectedFrame& spruceBranch(SpruceBranch* branch) {
        add({"glColor3f(#, #, #)"}).strip(branch->segmentMesh).add({"glColor3f(#, #, #)"}).strips(branch->needles);
        for (SpruceBranch* child : branch->children)
            if (child != nullptr) spruceBranch(child);
        return *this;
    }
    ExpectedFrame& spruceSegment(SpruceTrunk* segment) {
        if (segment->segmentMesh != nullptr) add({"glColor3f(#, #, #)"}).strip(segment->segmentMesh);
        add({"glColor3f(#, #, #); glLineWidth(#)"}).strips(segment->needles);
        for (SpruceBranch* branch : items<SpruceBranch>(segment->faces)) spruceBranch(branch);
        return segment->nextSegment != nullptr ? spruceSegment(segment->nextSegment) : *this;
    }
    // Leaves, then every stem in its colour with its head.
    ExpectedFrame& dandelion(Dandelion* plant) {
        add({modulatedColour, "glColor3f(#, #, #)"});
        for (LeafSegment* leaf : items<LeafSegment>(plant->leaves))
            for (; leaf != nullptr; leaf = leaf->nextSegment) batches(1, "GL_TRIANGLES", 3, vertex);
        for (StemSegment* stem : items<StemSegment>(plant->stems)) {
            add({"glLineWidth(#); glColor3f(#, #, #)"});
            for (; stem->nextSegment != nullptr; stem = stem->nextSegment) strip(stem->segmentMesh);
            strip(stem->segmentMesh).add({"glColor3f(#, #, #)"});
            batches(stem->head->faces->count(), "GL_TRIANGLES", 3, vertex);
        }
        return *this;
    }
    ExpectedFrame& worldObject(SceneObject* object) {
        if (dynamic_cast<Terrain*>(object)) return terrain();
        if (dynamic_cast<Juniper*>(object)) return texturedObject(object->faces->count());
        if (auto* tree = dynamic_cast<DeciduousTree*>(object)) return deciduousTree(tree);
        if (auto* spruce = dynamic_cast<SpruceTrunk*>(object)) return add({modulatedColour}).spruceSegment(spruce);
        return dandelion(dynamic_cast<Dandelion*>(object));
    }
    // The twelve corners of a butterfly with its own picture.
    ExpectedFrame& butterfly() {
        add({"glPushMatrix(); glShadeModel(GL_SMOOTH); glColor3f(#, #, #)", picture, repeatTexturing});
        batches(1, "GL_POLYGON", 12, "glTexCoord2f(#, #); glVertex3f(#, #, #)");
        return add({closeTexture, "glPopMatrix()"});
    }
    // The stars of the night, opaque: no blending switched on.
    ExpectedFrame& nightStars() {
        add({"glPushMatrix(); glDisable(GL_LIGHTING); glPointSize(#)"});
        batches(1, "GL_POINTS", 1000, "glColor4f(#, #, #, #); " + vertex);
        return add({"glDisable(GL_BLEND); glEnable(GL_LIGHTING); glPopMatrix()"});
    }
    // A flat picture replaces the colour, keeping its alpha.
    const std::string flatPicture = picture + "; glEnable(GL_TEXTURE_2D); " + texGen +
                                    "; glRasterPos2f(#, #); glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL)";
    ExpectedFrame& flatQuad() { return batches(1, "GL_QUADS", 4, "glTexCoord2f(#, #); glVertex2f(#, #)"); }
    // The overlay of the first frames: the pulsing logo added on, the opaque title card and the hint.
    ExpectedFrame& overlayWithTitle() {
        add({"glPopMatrix(); glPushMatrix(); glDisable(GL_DEPTH_TEST)", "glPushMatrix()", flatPicture,
             "glColor4f(#, #, #, #); glBlendFunc(GL_SRC_ALPHA, GL_ONE); glEnable(GL_BLEND)"});
        flatQuad().add({"glDisable(GL_BLEND); glDisable(GL_TEXTURE_2D); glPopMatrix()"});
        add({"glPushMatrix()", flatPicture, "glColor4f(#, #, #, #)"});
        flatQuad().add({"glDisable(GL_BLEND); glDisable(GL_TEXTURE_2D); glPopMatrix()"});
        add({"glPushMatrix(); glColor3f(#, #, #)", flatPicture, "glColor3f(#, #, #)"});
        return flatQuad().add({"glDisable(GL_TEXTURE_2D); glPopMatrix()"});
    }
};

TEST(World, ShowsADarkLandscapeAtNightAndMakesTheCallsOfAFrameInTheirOrder) {
    const std::string trace = testing::TempDir() + "florvane_" + std::to_string(getpid()) + ".trace";
    std::remove(trace.c_str());
    // The same world, grown here too, tells how many batches each of its objects draws.
    ASSERT_EQ(chdir(FLORVANE_DATA_DIR), 0);
    populateFromSeed(6);
    ViewerProcess viewer({"apitrace", "trace", "--output=" + trace}, {"--seed", "6", "--mode", "3"});
    ASSERT_EQ(waitForFullScreenWindow("Florvane"), "full screen") << viewer.errors();
    // The title card lies over the middle of the screen in the first frames, and is gone after its 75.
    std::optional<Screenshot> first = waitForNewFrames(2), night = waitForNewFrames(80);
    ASSERT_TRUE(first && night) << "the picture stopped changing";
    const double title = first->meanBrightness(0.125, 0.25, 0.875, 0.75);
    EXPECT_GT(title, 50) << "the title card";
    EXPECT_LT(night->meanBrightness(0.125, 0.25, 0.875, 0.75), title / 2) << "the title card stayed";
    // Beside the card the world starts in the night.
    EXPECT_LT(first->meanBrightness(0, 0, 0.125, 0.9), 25);
    // The hint in the bottom-left corner and the logo in the top-right one stay.
    EXPECT_GT(night->meanBrightness(0, 0.975, 0.125, 1), 2 * night->meanBrightness());
    EXPECT_GT(night->meanBrightness(0.875, 0, 1, 0.09), 2 * night->meanBrightness());
    ASSERT_TRUE(pressKeys("Escape") && viewer.waitForExit() == 0);
    std::vector<long> swaps;
    std::istringstream lines(commandOutput("apitrace dump --grep=glXSwapBuffers --arg-names=no " + trace));
    for (std::string line; std::getline(lines, line);)
        if (line.find("glXSwapBuffers") != std::string::npos) swaps.push_back(std::stol(line));
    ASSERT_GE(swaps.size(), 4u) << "too few frames traced";

    // The third frame: the window has settled, and the sun is still far below the horizon.
    std::vector<std::string> frame = tracedCalls(trace, swaps[1] + 1, swaps[2]);
    frame.erase(frame.begin(), std::find(frame.begin(), frame.end(), "glClearColor(#, #, #, #)"));
    ExpectedFrame expected;
    expected.lightingAndCamera().sky();
    for (SceneObject* object : items<SceneObject>(worldObjects)) expected.worldObject(object);
    for (int i = 0; i < butterflyCount; ++i) expected.butterfly();
    // The frame closes, and GLUT flushes before the swap.
    expected.nightStars().overlayWithTitle().add({"glPopMatrix(); glFlush(); glXSwapBuffers"});
    for (size_t i = 0; i < std::min(frame.size(), expected.calls.size()); ++i)
        ASSERT_EQ(frame[i], expected.calls[i]) << "call " << i << " of the frame";
    EXPECT_EQ(frame.size(), expected.calls.size());
    std::remove(trace.c_str());
}
