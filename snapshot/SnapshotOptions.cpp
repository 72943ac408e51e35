// The snapshot tool's command line.
#include "snapshot/SnapshotOptions.h"

#include "snapshot/ContactSheet.h"
#include "snapshot/VideoEncoder.h"

#include <algorithm>
#include <climits>
#include <sstream>

namespace {

constexpr int MAX_TICKS = 1000000;
constexpr int MAX_FRAMES = 1000000;
constexpr int MAX_FPS = 240;
// Each world of a contact sheet, unless --size says otherwise, and at most: 64 worlds of that size
// already make a picture of 8264 x 8512.
constexpr int SHEET_WIDTH = 320, SHEET_HEIGHT = 240, SHEET_MAX_SIDE = 1024;

bool readSize(const std::string& text, int& width, int& height) {
    const size_t x = text.find('x');
    unsigned long long w, h;
    if (x == std::string::npos || !readNumber(text.substr(0, x).c_str(), 1, INT_MAX, w) ||
        !readNumber(text.substr(x + 1).c_str(), 1, INT_MAX, h))
        return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

}  // namespace

bool readKeys(const std::string& list, std::vector<Key>& keys, std::string& error) {
    std::istringstream items(list);
    for (std::string name; std::getline(items, name, ',');) {
        const Key* key = findKey(name);
        if (key == nullptr) {
            error = "unknown key '" + name + "' in --keys: the keys are those of the table in --help";
            return false;
        }
        if (!key->special && key->code == 27) {
            error = "the key Esc would end the program before any picture is drawn";
            return false;
        }
        keys.push_back(*key);
    }
    if (list.empty() || list.back() == ',') {
        error = "--keys needs a comma-separated list of keys, such as F8,V";
        return false;
    }
    return true;
}

SnapshotOptions parseSnapshotOptions(int argc, char** argv) {
    SnapshotOptions options;
    bool paced = false;
    for (int i = 1; i < argc && options.error.empty(); ++i) {
        if (readCommonOption(argc, argv, i, options)) continue;
        const std::string name = optionName(argv[i]);
        std::string value;
        unsigned long long number = 0;
        if (name != "--ticks" && name != "--keys" && name != "--size" && name != "--out" && name != "--pictures" &&
            name != "--frames" && name != "--fps" && name != "--sheet") {
            options.error = unknownArgument(argv[i]);
        } else if (!optionValue(argc, argv, i, name, value, options.error)) {
        } else if (name == "--ticks") {
            if (!readNumber(value.c_str(), 0, MAX_TICKS, number))
                options.error =
                    "--ticks takes a whole number from 0 to " + std::to_string(MAX_TICKS) + ", not '" + value + "'";
            options.ticks = static_cast<int>(number);
        } else if (name == "--frames" || name == "--fps") {
            const int most = name == "--frames" ? MAX_FRAMES : MAX_FPS;
            if (!readNumber(value.c_str(), 1, most, number))
                options.error =
                    name + " takes a whole number from 1 to " + std::to_string(most) + ", not '" + value + "'";
            (name == "--frames" ? options.frames : options.fps) = static_cast<int>(number);
            paced = paced || name == "--fps";
        } else if (name == "--sheet") {
            options.sheet.clear();
            readSeedList(value, options.sheet, options.error);
        } else if (name == "--keys") {
            readKeys(value, options.keys, options.error);
        } else if (name == "--size") {
            if (!readSize(value, options.width, options.height))
                options.error = "--size takes WIDTHxHEIGHT in pixels, such as 1024x768, not '" + value + "'";
            options.sized = true;
        } else if (value.empty()) {
            options.error = name + " needs a path";
        } else {
            (name == "--out" ? options.out : options.pictures) = value;
        }
    }
    if (!options.error.empty()) return options;
    if (options.frames > 0 && !options.sheet.empty()) {
        options.error = "--frames and --sheet cannot be combined: a video shows one world";
    } else if (!options.sheet.empty() && options.seeded) {
        options.error = "--sheet names its own seeds; --seed cannot be added";
    } else if (options.frames == 0 && paced) {
        options.error = "--fps is the playback rate of a video: say how many frames with --frames";
    } else if (options.out.empty()) {
        options.out = options.frames > 0 ? "florvane-snapshot.mp4" : "florvane-snapshot.png";
    } else if (options.frames > 0 && videoFormatOf(options.out) == VideoFormat::NONE) {
        options.error = "a video is written as .mp4 (H.264) or .webm (VP9), not '" + options.out + "'";
    } else if (options.frames == 0 && videoFormatOf(options.out) != VideoFormat::NONE) {
        options.error = "--out " + options.out + " is a video: say how many frames with --frames";
    }
    if (options.frames > 0 && options.error.empty())
        videoSizeFits(videoFormatOf(options.out), options.width, options.height, options.error);
    if (!options.sheet.empty() && !options.sized) {
        options.width = SHEET_WIDTH;
        options.height = SHEET_HEIGHT;
    } else if (!options.sheet.empty() && options.error.empty() &&
               std::max(options.width, options.height) > SHEET_MAX_SIDE) {
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
        "  --ticks N         run N ticks (default 100, at most 1000000), each followed by a\n"
        "                    frame as in the program, before the frame that is written; the\n"
        "                    title card fades within the first 75 frames\n"
        "  --keys LIST       key commands given before the first frame, separated by commas:\n"
        "                    any key of the table below but Esc, by its name in any case;\n"
        "                    for example F8,V or f8,left\n"
        "  --size WxH        size of the picture in pixels (default 1024x768), up to the\n"
        "                    largest the GL can draw (a larger size names it); a picture\n"
        "                    larger than the offscreen surface is drawn in tiles; for a\n"
        "                    video an even width and height, for a sheet each world's\n"
        "                    (default 320x240, at most 1024 on a side)\n"
        "  --frames N        write a video of N frames instead of a picture, one tick apart,\n"
        "                    the first the picture --ticks would give\n"
        "  --fps N           the video's playback rate in frames a second (default 30)\n"
        "  --sheet SEEDS     a contact sheet instead: the worlds of up to 64 seeds at noon, in\n"
        "                    a grid, each labelled with its seed; SEEDS is a range, a list or\n"
        "                    both, such as 1-16 or 3,7,42\n"
        "  --out FILE        the file to write (default florvane-snapshot.png, or .mp4 for a\n"
        "                    video, whose extension chooses: .mp4 is H.264, .webm VP9); it is\n"
        "                    replaced only once the new file is complete\n"
        "  --pictures DIR    folder of the twelve pictures (default: the one the build or the\n"
        "                    installation puts beside the tool)\n"
        "  --help            show this help and exit\n"
        "  --version         show the version and exit\n"
        "\n"
        "The world starts in the night and the sun rises after about 100 ticks, so without F8\n"
        "the picture shows the night. The status line of a key command stays for 100 frames.\n"
        "On a terminal, standard error shows the progress of the ticks, frames or worlds.\n"
        "\n",
        stream);
    printKeyTable(stream);
    std::fputs(
        "\n"
        "Exit status: 0 when the file was written; 1 when it could not be made (no GL, an\n"
        "output that cannot be written, a missing picture, no glyphs for a status line the\n"
        "picture shows); 2 for wrong arguments, a size larger than the GL can draw included;\n"
        "128 and the signal's number when interrupted (130 for Ctrl-C). A video or sheet that\n"
        "is not complete leaves no file behind.\n",
        stream);
}
