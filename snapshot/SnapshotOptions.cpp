// The snapshot tool's command line.
#include "snapshot/SnapshotOptions.h"

#include "app/Options.h"
#include "snapshot/ContactSheet.h"
#include "snapshot/VideoEncoder.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <sstream>

namespace {

constexpr int MAX_TICKS = 1000000;
constexpr int MAX_SIDE = 8192;
constexpr int MAX_FRAMES = 1000000;
constexpr int MAX_FPS = 240;
// Each world of a contact sheet, unless --size says otherwise, and at most: 64 worlds of that size
// already make a picture of 8264 x 8512.
constexpr int SHEET_WIDTH = 320, SHEET_HEIGHT = 240, SHEET_MAX_SIDE = 1024;

struct NamedKey {
    const char* name;
    KeyCommand command;
};

const NamedKey NAMED_KEYS[] = {
    {"F1", {true, GLUT_KEY_F1}},       {"F7", {true, GLUT_KEY_F7}},     {"F8", {true, GLUT_KEY_F8}},
    {"Left", {true, GLUT_KEY_LEFT}},   {"Up", {true, GLUT_KEY_UP}},     {"Right", {true, GLUT_KEY_RIGHT}},
    {"Down", {true, GLUT_KEY_DOWN}},   {"Space", {false, ' '}},         {"Comma", {false, ','}},
};

bool readSize(const std::string& text, int& width, int& height) {
    const size_t x = text.find('x');
    unsigned long long w, h;
    if (x == std::string::npos || !readNumber(text.substr(0, x).c_str(), 1, MAX_SIDE, w) ||
        !readNumber(text.substr(x + 1).c_str(), 1, MAX_SIDE, h))
        return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

}  // namespace

bool readKeys(const std::string& list, std::vector<KeyCommand>& keys, std::string& error) {
    std::istringstream items(list);
    for (std::string key; std::getline(items, key, ',');) {
        if (key.size() == 1 && key[0] > ' ' && key[0] <= '~') {
            keys.push_back({false, static_cast<unsigned char>(key[0])});
            continue;
        }
        bool named = false;
        for (const NamedKey& known : NAMED_KEYS)
            if (key == known.name) {
                keys.push_back(known.command);
                named = true;
            }
        if (named) continue;
        if (key == "Esc")
            error = "the key Esc would end the program before any picture is drawn";
        else
            error = "unknown key '" + key +
                    "' in --keys (a key is one character, or F1, F7, F8, Left, Up, Right, Down, Space, Comma)";
        return false;
    }
    if (list.empty() || list.back() == ',') {
        error = "--keys needs a comma-separated list of keys, such as F8,V";
        return false;
    }
    return true;
}

SnapshotOptions parseSnapshotOptions(int argc, char** argv) {
    SnapshotOptions options;
    for (int i = 1; i < argc && options.error.empty(); ++i) {
        const std::string argument = argv[i];
        const std::string name = argument.substr(0, argument.find('='));
        std::string value;
        unsigned long long number = 0;
        if (argument == "--help") {
            options.help = true;
        } else if (argument == "--version") {
            options.version = true;
        } else if (name == "--seed" || name == "--ticks" || name == "--keys" || name == "--size" || name == "--out" ||
                   name == "--pictures" || name == "--frames" || name == "--fps" || name == "--sheet") {
            if (!optionValue(argc, argv, i, name, value, options.error)) break;
            if (name == "--seed") {
                if (!readNumber(value.c_str(), 0, 4294967295u, number))
                    options.error = "--seed takes a whole number from 0 to 4294967295, not '" + value + "'";
                options.seeded = true;
                options.seed = static_cast<unsigned>(number);
            } else if (name == "--ticks") {
                if (!readNumber(value.c_str(), 0, MAX_TICKS, number))
                    options.error = "--ticks takes a whole number from 0 to " + std::to_string(MAX_TICKS) + ", not '" +
                                    value + "'";
                options.ticks = static_cast<int>(number);
            } else if (name == "--frames" || name == "--fps") {
                const int most = name == "--frames" ? MAX_FRAMES : MAX_FPS;
                if (!readNumber(value.c_str(), 1, most, number))
                    options.error = name + " takes a whole number from 1 to " + std::to_string(most) + ", not '" +
                                    value + "'";
                (name == "--frames" ? options.frames : options.fps) = static_cast<int>(number);
            } else if (name == "--sheet") {
                options.sheet.clear();
                readSeedList(value, options.sheet, options.error);
            } else if (name == "--keys") {
                readKeys(value, options.keys, options.error);
            } else if (name == "--size") {
                if (!readSize(value, options.width, options.height))
                    options.error = "--size takes WIDTHxHEIGHT, each from 1 to " + std::to_string(MAX_SIDE) +
                                    ", not '" + value + "'";
                options.sized = true;
            } else if (value.empty()) {
                options.error = name + " needs a path";
            } else {
                (name == "--out" ? options.out : options.pictures) = value;
            }
        } else {
            options.error = (argument.rfind("-", 0) == 0 ? "unknown option '" : "unexpected argument '") + argument +
                            "'";
        }
    }
    if (!options.error.empty()) return options;
    if (options.frames > 0 && !options.sheet.empty()) {
        options.error = "--frames and --sheet cannot be combined: a video shows one world";
    } else if (!options.sheet.empty() && options.seeded) {
        options.error = "--sheet names its own seeds; --seed cannot be added";
    } else if (options.out.empty()) {
        options.out = options.frames > 0 ? "florvane-snapshot.mp4" : "florvane-snapshot.png";
    } else if (options.frames > 0 && videoFormatOf(options.out) == VideoFormat::NONE) {
        options.error = "a video is written as .mp4 (H.264) or .webm (VP9), not '" + options.out + "'";
    } else if (options.frames == 0 && videoFormatOf(options.out) != VideoFormat::NONE) {
        options.error = "--out " + options.out + " is a video: say how many frames with --frames";
    } else if (options.frames > 0) {
        videoSizeFits(videoFormatOf(options.out), options.width, options.height, options.error);
    }
    if (!options.sheet.empty() && !options.sized) {
        options.width = SHEET_WIDTH;
        options.height = SHEET_HEIGHT;
    } else if (!options.sheet.empty() && std::max(options.width, options.height) > SHEET_MAX_SIDE) {
        options.error = "--size of each world of a sheet may be at most " + std::to_string(SHEET_MAX_SIDE) +
                        " on a side";
    }
    return options;
}

void printSnapshotHelp(std::FILE* stream) {
    std::fputs(
        "Usage: florvane-snapshot [OPTION]...\n"
        "Grow a Florvane world exactly as the program does, without any display, run it for a\n"
        "number of ticks and write one frame of it as a PNG picture.\n"
        "\n"
        "  --seed N          grow the world of seed N (0 to 4294967295); without it the seed\n"
        "                    comes from the clock and is printed\n"
        "  --ticks N         run N ticks (default 100), each followed by a frame as in the\n"
        "                    program, before the frame that is written; the title card fades\n"
        "                    within the first 75 frames\n"
        "  --keys LIST       key commands given before the first frame, separated by commas:\n"
        "                    any key of the program (0 1 2 3 W A S D M P R V + -), F1, F7\n"
        "                    (midnight), F8 (noon), Left, Up, Right, Down; for example F8,V\n"
        "  --size WxH        size of the picture in pixels (default 1024x768; for a video an\n"
        "                    even width and height; for a sheet each world's, default 320x240)\n"
        "  --frames N        write a video of N frames instead of a picture, one tick apart,\n"
        "                    the first one the picture --ticks would give\n"
        "  --fps N           the video's playback rate in frames a second (default 30)\n"
        "  --sheet SEEDS     a contact sheet instead: the worlds of up to 64 seeds at noon, in\n"
        "                    a grid, each labelled with its seed; SEEDS is a range, a list or\n"
        "                    both, such as 1-16 or 3,7,42\n"
        "  --out FILE        the file to write (default florvane-snapshot.png); for a video\n"
        "                    its extension chooses: .mp4 (H.264) or .webm (VP9)\n"
        "  --pictures DIR    folder of the twelve pictures (default: the one the build or the\n"
        "                    installation puts beside the tool)\n"
        "  --help            show this help and exit\n"
        "  --version         show the version and exit\n"
        "\n"
        "The world starts in the night and the sun rises after about 100 ticks, so without F8\n"
        "the picture shows the night. The status line of a key command stays for 100 frames.\n"
        "\n"
        "Exit status: 0 when the file was written, 1 when it could not be made, 2 for wrong\n"
        "arguments, 128 and the signal's number when interrupted (130 for Ctrl-C); then no\n"
        "file is left behind.\n",
        stream);
}
