// The world of the real program: its console lines, what a person sees on screen through night and
// day, and the GL calls of one frame in the order the frame makes them.
#include "tests/support/Viewer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <regex>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace {

const char BANNER[] = "Vyckejte prosim... generuji objekty...\n\n\n";

std::optional<WindowState> startWindowMode(ViewerProcess& viewer) {
    viewer.type("3\n");
    return waitForWindow("Florvane", 60);
}

int countOf(const std::string& text, const std::string& word) {
    int n = 0;
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) ++n;
    return n;
}

TEST(World, ConsoleReportsEveryGeneratorInOrder) {
    ViewerProcess viewer;
    ASSERT_TRUE(viewer.waitForOutput("(doporuceno)\n", 60)) << viewer.output();
    const std::regex shape(
        "Vyckejte prosim\\.\\.\\. generuji objekty\\.\\.\\.\n\n\n"
        "\\[  0%\\] generuji teren \\[hotovo\\]\n"
        "(\\[ {0,2}\\d{1,2}%\\] generuji jalovec \\[hotovo\\]\n)+"
        "\\[ 99%\\] generuji motyli \\[hotovo\\]\n"
        "\\[ 99%\\] generuji kapky deste \\[hotovo\\]\n"
        "\\[ 99%\\] generuji slunce a oblohu \\[hotovo\\]\n"
        "\n\n\\[hotovo\\]\n\n"
        "0 -  640x480x16 \\(bez menu\\)\n1 -  800x600x16 \\(bez menu\\)\n"
        "2 - 1024x768x16 \\(bez menu\\)\n3 - v fullscreen okne \\(doporuceno\\)\n");
    EXPECT_TRUE(std::regex_match(viewer.output(), shape)) << viewer.output();
}

TEST(World, NightAtStartThenABrighterDay) {
    ViewerProcess viewer;
    ASSERT_TRUE(startWindowMode(viewer)) << viewer.errors();
    // A few frames in: dawn is a hundred ticks away.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const Screenshot night = grabScreen();
    EXPECT_GT(night.distinctColours(), 200u) << "the night view shows a landscape, not a blank";
    EXPECT_LT(night.meanBrightness(), 25) << "the world starts in the night";

    // The sun rises 0.002 radians a tick; full daylight comes some hundreds of ticks later.
    Screenshot day;
    for (int second = 0; second < 90; ++second) {
        std::this_thread::sleep_for(std::chrono::seconds(1));
        day = grabScreen();
        if (day.meanBrightness() > 3 * night.meanBrightness() + 20) break;
    }
    EXPECT_GT(day.meanBrightness(), 3 * night.meanBrightness() + 20)
        << "night " << night.meanBrightness() << ", later " << day.meanBrightness();
    EXPECT_GT(day.distinctColours(), 1000u);
    if (HasFailure()) {
        night.writePPM(testing::TempDir() + "florvane_night.ppm");
        day.writePPM(testing::TempDir() + "florvane_day.ppm");
    }
    pressKeys("Escape");
    EXPECT_TRUE(viewer.waitForExit(10));
}

// One dumped call: its name and its arguments with every number replaced by '#'.
struct Call {
    std::string name, arguments;
    std::string text() const { return name + "(" + arguments + ")"; }
};

std::vector<Call> dumpCalls(const std::string& trace, long first, long last) {
    std::vector<Call> calls;
    std::istringstream lines(commandOutput("apitrace dump --arg-names=no --call-nos=no --calls=" +
                                           std::to_string(first) + "-" + std::to_string(last) + " " + trace));
    const std::regex call("^(\\w+)\\((.*)\\)( = .*)?$"), number("(^|[^\\w.])-?\\d+(\\.\\d+)?(e[-+]?\\d+)?");
    for (std::string line; std::getline(lines, line);) {
        std::smatch match;
        if (!std::regex_match(line, match, call)) continue;
        calls.push_back({match[1], std::regex_replace(std::string(match[2]), number, "$1#")});
    }
    return calls;
}

// The frame as a list of lines: one per state call, one per glBegin/glEnd batch as its primitive,
// the calls that repeat for every vertex, and how many vertices there are.
std::vector<std::string> skeleton(const std::vector<Call>& calls) {
    std::vector<std::string> lines;
    for (size_t i = 0; i < calls.size(); ++i) {
        const Call& call = calls[i];
        if (call.name.rfind("glX", 0) == 0 && call.name != "glXSwapBuffers") continue;
        if (call.name != "glBegin") {
            lines.push_back(call.name == "glXSwapBuffers" ? call.name : call.text());
            continue;
        }
        std::vector<std::string> inside;
        for (++i; i < calls.size() && calls[i].name != "glEnd"; ++i) inside.push_back(calls[i].name);
        size_t unit = 1;
        while (unit < inside.size() && inside[unit] != inside[0]) ++unit;
        std::string repeated;
        for (size_t k = 0; k < unit && k < inside.size(); ++k) repeated += (k ? " " : "") + inside[k];
        bool regular = !inside.empty() && inside.size() % unit == 0;
        for (size_t k = 0; regular && k < inside.size(); ++k) regular = inside[k] == inside[k % unit];
        lines.push_back(call.text() + (regular ? " [" + repeated + "] x" + std::to_string(inside.size() / unit)
                                               : " irregular"));
    }
    return lines;
}

// The frame in the order the program makes it, at night, with the given number of junipers.
std::vector<std::string> expectedNightFrame(int junipers) {
    std::vector<std::string> f;
    auto add = [&](std::initializer_list<const char*> calls) { f.insert(f.end(), calls.begin(), calls.end()); };
    auto upload = [&] {
        add({"glTexImage2D(GL_TEXTURE_2D, #, #, #, #, #, GL_RGB, GL_UNSIGNED_BYTE, blob(#))",
             "glEnable(GL_TEXTURE_2D)"});
    };
    auto texturing = [&] {
        add({"glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR)",
             "glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR)",
             "glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT)",
             "glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT)"});
    };
    auto close = [&] {
        add({"glDisable(GL_TEXTURE_2D)", "glDisable(GL_TEXTURE_GEN_S)", "glDisable(GL_TEXTURE_GEN_T)"});
    };
    auto batches = [&](int count, const std::string& batch) { f.insert(f.end(), count, batch); };

    add({"glClearColor(#, #, #, #)", "glClear(GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT)", "glLoadIdentity()",
         "glPushMatrix()"});
    // Lighting set-up.
    add({"glShadeModel(GL_FLAT)", "glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, #)", "glEnable(GL_COLOR_MATERIAL)",
         "glEnable(GL_DEPTH_TEST)", "glDepthFunc(GL_LESS)", "glLightfv(GL_LIGHT0, GL_POSITION, {#, #, #, #})",
         "glLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, {#, #, #})", "glLightModelfv(GL_LIGHT_MODEL_AMBIENT, {#, #, #, #})",
         "glFrontFace(GL_CW)", "glEnable(GL_AUTO_NORMAL)", "glEnable(GL_NORMALIZE)",
         "glLightf(GL_LIGHT0, GL_SPOT_EXPONENT, #)", "glLightf(GL_LIGHT0, GL_SPOT_CUTOFF, #)",
         "glLightf(GL_LIGHT0, GL_SPOT_EXPONENT, #)", "glLightfv(GL_LIGHT0, GL_POSITION, {#, #, #, #})",
         "glLightfv(GL_LIGHT0, GL_AMBIENT, {#, #, #, #})", "glLightfv(GL_LIGHT0, GL_DIFFUSE, {#, #, #, #})",
         "glLightfv(GL_LIGHT0, GL_SPECULAR, {#, #, #, #})", "glMaterialfv(GL_FRONT, GL_SPECULAR, {#, #, #, #})",
         "glMaterialfv(GL_FRONT, GL_DIFFUSE, {#, #, #, #})", "glMaterialfv(GL_FRONT, GL_AMBIENT, {#, #, #, #})",
         "glMaterialfv(GL_FRONT, GL_SHININESS, &#)"});
    // The sun light, the perspective and the fly-through camera.
    add({"glLightfv(GL_LIGHT1, GL_POSITION, {#, #, #, #})", "glLightfv(GL_LIGHT1, GL_DIFFUSE, {#, #, #, #})",
         "glMultMatrixd({#, #, #, #, #, #, #, #, #, #, #, #, #, #, #, #})",
         "glMultMatrixf({#, #, #, #, #, #, #, #, #, #, #, #, #, #, #, #})", "glTranslated(#, #, #)",
         "glEnable(GL_DEPTH_TEST)"});
    // The sky: the dome, then the sun.
    add({"glPushMatrix()", "glDisable(GL_LIGHTING)", "glPushMatrix()",
         "glTexImage2D(GL_TEXTURE_2D, #, #, #, #, #, GL_RGB, GL_UNSIGNED_BYTE, blob(#))", "glShadeModel(GL_SMOOTH)",
         "glEnable(GL_TEXTURE_2D)"});
    texturing();
    add({"glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE)", "glColor3f(#, #, #)"});
    batches(32, "glBegin(GL_TRIANGLE_STRIP) [glTexCoord2f glVertex3fv] x66");
    close();
    add({"glPopMatrix()", "glPushMatrix()", "glTranslatef(#, #, #)", "glColor3f(#, #, #)"});
    batches(16, "glBegin(GL_TRIANGLE_STRIP) [glVertex3fv] x34");
    add({"glPopMatrix()", "glEnable(GL_LIGHTING)", "glPopMatrix()"});
    // The terrain, first of the world objects.
    add({"glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE)", "glColor3f(#, #, #)", "glPushMatrix()",
         "glShadeModel(GL_SMOOTH)"});
    upload();
    texturing();
    add({"glPushMatrix()"});
    batches(16, "glBegin(GL_TRIANGLE_STRIP) [glTexCoord2f glVertex3fv] x34");
    add({"glPopMatrix()"});
    close();
    add({"glPopMatrix()"});
    // Every juniper: its picture, then each of its 364 quads with the whole picture on it.
    for (int j = 0; j < junipers; ++j) {
        add({"glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE)", "glColor3f(#, #, #)"});
        upload();
        texturing();
        add({"glPushMatrix()"});
        batches(364, "glBegin(GL_QUADS) [glTexCoord2f glVertex3fv] x4");
        add({"glPopMatrix()"});
        close();
    }
    // The stars of the night, opaque; then the frame closes, and GLUT flushes before the swap.
    add({"glPushMatrix()", "glDisable(GL_LIGHTING)", "glPointSize(#)",
         "glBegin(GL_POINTS) [glColor4f glVertex3fv] x1000", "glDisable(GL_BLEND)", "glEnable(GL_LIGHTING)",
         "glPopMatrix()", "glPopMatrix()", "glPushMatrix()", "glDisable(GL_DEPTH_TEST)", "glPopMatrix()",
         "glFlush()", "glXSwapBuffers"});
    return f;
}

TEST(FrameTrace, OneFrameMakesItsCallsInItsOrder) {
    const std::string trace = testing::TempDir() + "florvane_" + std::to_string(getpid()) + ".trace";
    std::remove(trace.c_str());
    {
        ViewerProcess viewer({"apitrace", "trace", "--output=" + trace});
        ASSERT_TRUE(startWindowMode(viewer)) << viewer.errors();
        std::this_thread::sleep_for(std::chrono::seconds(3));
        pressKeys("Escape");
        ASSERT_TRUE(viewer.waitForExit(30));
        const int junipers = countOf(viewer.output(), "generuji jalovec");

        std::vector<long> swaps;
        std::istringstream lines(commandOutput("apitrace dump --grep=glXSwapBuffers --arg-names=no " + trace));
        for (std::string line; std::getline(lines, line);)
            if (line.find("glXSwapBuffers") != std::string::npos) swaps.push_back(std::stol(line));
        ASSERT_GE(swaps.size(), 4u) << "too few frames traced";

        // The third frame: the window has settled, and the sun is still far below the horizon.
        std::vector<std::string> frame = skeleton(dumpCalls(trace, swaps[1] + 1, swaps[2]));
        const auto start = std::find(frame.begin(), frame.end(), "glClearColor(#, #, #, #)");
        ASSERT_NE(start, frame.end());
        frame.erase(frame.begin(), start);
        const std::vector<std::string> expected = expectedNightFrame(junipers);
        for (size_t i = 0; i < std::min(frame.size(), expected.size()); ++i)
            ASSERT_EQ(frame[i], expected[i]) << "call " << i << " of the frame";
        EXPECT_EQ(frame.size(), expected.size());
    }
    std::remove(trace.c_str());
}

}  // namespace
