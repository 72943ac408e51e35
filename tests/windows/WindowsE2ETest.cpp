// The cross-built Windows program and its installer under Wine, on a virtual display of their own:
// the same start-up, keys and menu as on Linux, its imports, and a silent install and uninstall.
#include "tests/support/Viewer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <sstream>

static const std::string WINDOWS_BUILD = FLORVANE_WINDOWS_BUILD, PROGRAM = FLORVANE_BINARY;
static const std::string PROGRAM_FOLDER = PROGRAM.substr(0, PROGRAM.rfind('/'));
static const std::string UNINSTALL_KEY = "'HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Florvane'";

static int run(const std::string& command) { return std::system(command.c_str()); }

// Windows ends lines with a carriage return too.
static std::string lines(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

// The zip unpacked as a user would, and a Wine prefix whose windows have no window manager to wait
// for: without Managed=N each menu pick waits seconds for one.
class UnderWine : public testing::Environment {
    void SetUp() override {
        ASSERT_EQ(run("rm -rf '" + PROGRAM_FOLDER + "' && cd '" + PROGRAM_FOLDER + "/..' && cmake -E tar xf '" +
                      WINDOWS_BUILD + "/florvane-" FLORVANE_VERSION "-win64.zip'"), 0)
            << "no Windows build in " << WINDOWS_BUILD << ": make it with tools/windows.sh";
        ASSERT_EQ(run("[ -f \"$WINEPREFIX/system.reg\" ] || { wineboot -i && wine reg add 'HKCU\\Software\\Wine\\X11 "
                      "Driver' /v Managed /d N /f && wineserver -w; } >/dev/null 2>&1"), 0)
            << "Wine could not make its prefix";
    }
};
static testing::Environment* const underWine = testing::AddGlobalTestEnvironment(new UnderWine);

// Without a window manager a Wine window takes the keys only once a click has focused it.
static void focusFullScreenWindow() {
    ASSERT_EQ(waitForFullScreenWindow("Florvane"), "full screen");
    ASSERT_EQ(run("xdotool mousemove 512 384 click 1"), 0);
    const auto focused = [] { return commandOutput("xdotool getwindowfocus getwindowname 2>/dev/null") == "Florvane\n"; };
    ASSERT_TRUE(waitUntil(focused)) << "the click did not focus the window";
}

TEST(Windows, TheProgramImportsOnlySystemLibrariesAndIsAWindowedProgramWithAnIcon) {
    for (const std::string& program : {PROGRAM, WINDOWS_BUILD + "/florvane-" FLORVANE_VERSION "-setup.exe"}) {
        std::istringstream headers(commandOutput("x86_64-w64-mingw32-objdump -p '" + program + "'"));
        int imports = 0;
        for (std::string line; std::getline(headers, line);) {
            if (line.find("DLL Name: ") == std::string::npos) continue;
            std::string name = line.substr(line.find(':') + 2);
            std::transform(name.begin(), name.end(), name.begin(), ::tolower);
            ++imports;
            EXPECT_NE(std::string(" advapi32.dll comctl32.dll gdi32.dll glu32.dll kernel32.dll msvcrt.dll ole32.dll "
                                  "opengl32.dll shell32.dll user32.dll version.dll winmm.dll ")
                          .find(" " + name + " "),
                      std::string::npos)
                << program << " imports " << name;
        }
        EXPECT_GT(imports, 0) << program;
    }
    EXPECT_NE(commandOutput("x86_64-w64-mingw32-objdump -p '" + PROGRAM + "'").find("(Windows GUI)"), std::string::npos);
    EXPECT_NE(commandOutput("x86_64-w64-mingw32-objdump -h '" + PROGRAM + "'").find(".rsrc"), std::string::npos);
}

TEST(Windows, PrintsItsHelpAndEndsWithTheLoadersMessageWithoutAPictureBesideIt) {
    ViewerProcess help({"wine"}, {"--help"});
    EXPECT_EQ(help.waitForExit(), 0);
    EXPECT_NE(lines(help.output()).find("Linux grows another world"), std::string::npos) << help.output();

    // The pictures are looked for beside the program, not in the folder it is started in.
    ASSERT_EQ(run("cd '" + PROGRAM_FOLDER + "' && mv title.ppm title.away"), 0);
    ViewerProcess missing({"wine"}, {"--seed", "1"});
    const int status = missing.waitForExit();
    run("cd '" + PROGRAM_FOLDER + "' && mv title.away title.ppm");
    EXPECT_EQ(status, 1);
    EXPECT_EQ(lines(missing.errors()).rfind("Unable to open file `title.ppm'\ntitle.ppm: No such file", 0), 0u)
        << missing.errors();
    EXPECT_NE(missing.errors().find("(pictures are read from the program's folder)"), std::string::npos);
}

TEST(Windows, TheAnswerOnStandardInputShowsTheWorldFullScreenUntilEsc) {
    ViewerProcess viewer({"wine"});
    viewer.type("x3\n");
    focusFullScreenWindow();
    ASSERT_TRUE(pressKeys("Escape"));
    EXPECT_EQ(viewer.waitForExit(), 0) << lines(viewer.errors());
    EXPECT_NE(lines(viewer.output()).find("[hotovo]\n\n0 -  640x480x16 (bez menu)\n"), std::string::npos);
}

TEST(Windows, KeysAndTheMenuWorkAsOnLinux) {
    ViewerProcess viewer({"wine"}, {"--seed", "9", "--mode", "3"});
    viewer.closeInput();
    focusFullScreenWindow();
    const double noon = after("key F8").meanBrightness(0, 0, 0.12, 0.9);
    const double midnight = after("key F7").meanBrightness(0, 0, 0.12, 0.9);
    EXPECT_GT(noon, 3 * midnight + 30) << "noon " << noon << ", midnight " << midnight;
    EXPECT_GT(statusPixels(after("key p")), 100) << "no green status line";

    // The menu, held open on the right button: its last entry, "Konec", ends the program.
    ASSERT_EQ(run("xdotool mousemove 100 100 mousedown 3"), 0);
    std::string geometry;
    ASSERT_TRUE(waitUntil([&] {
        geometry = commandOutput(
            "xdotool search --onlyvisible --name '^freeglut menu$' getwindowgeometry --shell 2>/dev/null");
        return !geometry.empty();
    })) << "no menu";
    std::map<std::string, int> at;
    std::istringstream fields(geometry);
    for (std::string field; std::getline(fields, field);)
        at[field.substr(0, field.find('='))] = std::stoi(field.substr(field.find('=') + 1));
    const int x = at["X"] + at["WIDTH"] / 2, y = at["Y"] + at["HEIGHT"] * 7 / 8;
    ASSERT_EQ(run("xdotool mousemove " + std::to_string(x) + " " + std::to_string(y - 1) + " mousemove " +
                  std::to_string(x) + " " + std::to_string(y) + " mouseup 3"), 0);
    EXPECT_EQ(viewer.waitForExit(), 0) << "\"Konec\" did not end the program";
}

TEST(Windows, TheInstallerInstallsSilentlyStartsFromItsShortcutAndUninstallsEverything) {
    const std::string drive = std::string(std::getenv("WINEPREFIX")) + "/drive_c",
                      installed = drive + "/Program Files/Florvane",
                      shortcut = drive + "/ProgramData/Microsoft/Windows/Start Menu/Programs/Florvane.lnk";
    ASSERT_EQ(run("wine '" + WINDOWS_BUILD + "/florvane-" FLORVANE_VERSION "-setup.exe' /S"), 0);
    EXPECT_EQ(commandOutput("LC_ALL=C ls '" + installed + "' | tr '\\n' ' '"),
              "bf1.ppm bf2.ppm bf3.ppm bf4.ppm f1title.ppm florvane.exe help.ppm jalovec.ppm leaf.ppm logo.ppm nebe.ppm "
              "title.ppm trava.ppm uninstall.exe ");
    EXPECT_NE(lines(commandOutput("wine reg query " + UNINSTALL_KEY + " /v QuietUninstallString")).find(
                  "\"C:\\Program Files\\Florvane\\uninstall.exe\" /S"),
              std::string::npos);

    // The shortcut opens the landscape with no console to answer the prompt.
    ASSERT_EQ(run("cd / && wine start /unix '" + shortcut + "' </dev/null >/dev/null 2>&1"), 0);
    focusFullScreenWindow();
    const std::string started = "C:\\Program Files\\Florvane\\florvane.exe --mode 3";
    EXPECT_NE(commandOutput("ps -eo args").find(started), std::string::npos)
        << commandOutput("ps -eo args | grep -i florvane");
    ASSERT_TRUE(pressKeys("Escape"));
    EXPECT_TRUE(waitUntil([&] { return commandOutput("ps -eo args").find(started) == std::string::npos; }));

    // The uninstaller hands its work to a copy of itself and returns at once: wait for every process.
    ASSERT_EQ(run("wine 'C:\\Program Files\\Florvane\\uninstall.exe' /S && wineserver -w"), 0);
    EXPECT_EQ(run("[ ! -e '" + installed + "' ] && [ ! -e '" + shortcut + "' ]"), 0)
        << commandOutput("ls -R '" + installed + "'");
    EXPECT_NE(run("wine reg query " + UNINSTALL_KEY + " >/dev/null 2>&1"), 0) << "the uninstaller left its registry key";
}
