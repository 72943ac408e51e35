// The command-line options of both programs: what they share, and the viewer's own. Arguments of the
// viewer that do not start with "--" belong to GLUT.
#include "app/Options.h"

#include "app/Input.h"
#include "app/Platform.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int MAX_PACE = 1000;

}  // namespace

bool readNumber(const char* text, unsigned long long low, unsigned long long high, unsigned long long& value) {
    if (!std::isdigit(static_cast<unsigned char>(text[0]))) return false;
    char* end;
    errno = 0;
    value = std::strtoull(text, &end, 10);
    return *end == '\0' && errno == 0 && value >= low && value <= high;
}

bool optionValue(int argc, char** argv, int& i, const std::string& name, std::string& value, std::string& error) {
    const std::string argument = argv[i];
    if (argument.size() > name.size() && argument.compare(0, name.size() + 1, name + "=") == 0) {
        value = argument.substr(name.size() + 1);
        return true;
    }
    if (i + 1 >= argc) {
        error = "option '" + name + "' needs a value";
        return false;
    }
    value = argv[++i];
    return true;
}

std::string optionName(const char* argument) {
    const char* equals = std::strchr(argument, '=');
    return equals == nullptr ? argument : std::string(argument, equals);
}

bool readCommonOption(int argc, char** argv, int& i, CommonOptions& options) {
    const std::string argument = argv[i];
    if (argument == "--help") {
        options.help = true;
    } else if (argument == "--version") {
        options.version = true;
    } else if (optionName(argv[i]) == "--seed") {
        std::string value;
        unsigned long long number = 0;
        if (!optionValue(argc, argv, i, "--seed", value, options.error)) return true;
        if (!readNumber(value.c_str(), 0, 4294967295u, number))
            options.error = "--seed takes a whole number from 0 to 4294967295, not '" + value + "'";
        options.seeded = true;
        options.seed = static_cast<unsigned>(number);
    } else if (optionName(argv[i]) == "--aspect") {
        std::string value;
        if (!optionValue(argc, argv, i, "--aspect", value, options.error)) return true;
        if (value != "4:3" && value != "window")
            options.error = "--aspect takes 4:3 or window, not '" + value + "'";
        options.aspect = value == "window" ? Aspect::WINDOW : Aspect::FOUR_THIRDS;
    } else {
        return false;
    }
    return true;
}

std::string unknownArgument(const char* argument) {
    return (argument[0] == '-' ? "unknown option '" : "unexpected argument '") + std::string(argument) + "'";
}

int answerWithText(const CommonOptions& options, const char* name, void (*printHelp)(std::FILE*)) {
    if (!options.error.empty()) {
        std::fprintf(stderr, "%s: %s\nTry '%s --help' for more information.\n", name, options.error.c_str(), name);
        return 2;
    }
    if (options.help) {
        printHelp(stdout);
        return 0;
    }
    if (options.version) {
        printProgramVersion(name);
        return 0;
    }
    return -1;
}

ProgramOptions parseProgramOptions(int argc, char** argv) {
    ProgramOptions options;
    if (argc > 0) options.glutArguments.push_back(argv[0]);
    for (int i = 1; i < argc && options.error.empty(); ++i) {
        if (std::strncmp(argv[i], "--", 2) != 0) {
            options.glutArguments.push_back(argv[i]);
        } else if (readCommonOption(argc, argv, i, options)) {
        } else if (optionName(argv[i]) == "--mode") {
            std::string value;
            if (!optionValue(argc, argv, i, "--mode", value, options.error)) break;
            if (value.size() != 1 || value[0] < '0' || value[0] > '3')
                options.error = "--mode takes 0, 1, 2 or 3, not '" + value + "'";
            else
                options.mode = value[0];
        } else if (optionName(argv[i]) == "--pace") {
            std::string value;
            unsigned long long number = 0;
            if (!optionValue(argc, argv, i, "--pace", value, options.error)) break;
            if (!readNumber(value.c_str(), 1, MAX_PACE, number))
                options.error = "--pace takes a whole number of ticks per second from 1 to " +
                                std::to_string(MAX_PACE) + ", not '" + value + "'";
            options.pace = static_cast<int>(number);
        } else {
            options.error = unknownArgument(argv[i]);
        }
    }
    options.glutArguments.push_back(nullptr);
    return options;
}

void printProgramHelp(std::FILE* stream) {
    std::fputs(
        "Usage: florvane [OPTION]... [GLUT OPTION]...\n"
        "Grow a random landscape (terrain, junipers, deciduous trees, spruces, dandelions,\n"
        "butterflies, rain, a sky with sun and stars) and show it full screen, with wind\n"
        "and a day-night cycle. Without options the world is new every time and the display\n"
        "mode is asked for on the console.\n"
        "\n"
        "  --seed N     grow the world of seed N (0 to 4294967295): the same seed gives the\n"
        "               same world\n"
        SEED_HELP
        "  --mode M     open display mode M without asking on the console: 0, 1 or 2 for a\n"
        "               full-screen game mode of 640x480, 800x600 or 1024x768 (no menu),\n"
        "               3 for the full-screen window (recommended)\n"
        "  --aspect A   the proportions of the view: 4:3 (the default) stretches the picture\n"
        "               over the screen whatever its shape; window takes the screen's own,\n"
        "               with the same height of view, so a wide screen shows more of the\n"
        "               world to the sides\n"
        "  --pace N     advance the world N ticks per second of real time (1 to 1000)\n"
        "               whatever the frame rate, at most 4 in one frame, instead of one tick\n"
        "               per frame; 60 makes a day last about 52 seconds. The title, help and\n"
        "               status line still last a number of frames\n"
        "  --help       show this help and exit\n"
        "  --version    show the version and exit\n"
        "\n"
        "Arguments that do not start with \"--\" go to GLUT, for instance -display NAME,\n"
        "-geometry WxH+X+Y, -sync, -direct and -indirect.\n"
        "\n"
        "Where the graphics driver offers it, each frame waits for the next refresh of the\n"
        "display (vertical sync), so one frame and one tick are one refresh; with Mesa's\n"
        "drivers, vblank_mode=0 in the environment turns this off.\n"
        "\n"
        "The twelve pictures (trava.ppm, nebe.ppm, jalovec.ppm, leaf.ppm, bf1.ppm to bf4.ppm,\n"
        PICTURE_FOLDER_HELP
        "\n",
        stream);
    printKeyTable(stream);
    std::fputs("The right mouse button opens the menu.\n", stream);
}

void printProgramVersion(const char* name) {
    std::printf("%s %s\nA procedural landscape viewer.\n", name, FLORVANE_VERSION);
}
