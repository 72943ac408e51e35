// The snapshot tool's command line.
#include "snapshot/SnapshotOptions.h"

#include <climits>
#include <sstream>

namespace {

constexpr int MAX_TICKS = 1000000;

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
    for (int i = 1; i < argc && options.error.empty(); ++i) {
        if (readCommonOption(argc, argv, i, options)) continue;
        const std::string name = optionName(argv[i]);
        std::string value;
        unsigned long long number = 0;
        if (name != "--ticks" && name != "--keys" && name != "--size" && name != "--out" && name != "--pictures") {
            options.error = unknownArgument(argv[i]);
        } else if (!optionValue(argc, argv, i, name, value, options.error)) {
        } else if (name == "--ticks") {
            if (!readNumber(value.c_str(), 0, MAX_TICKS, number))
                options.error =
                    "--ticks takes a whole number from 0 to " + std::to_string(MAX_TICKS) + ", not '" + value + "'";
            options.ticks = static_cast<int>(number);
        } else if (name == "--keys") {
            readKeys(value, options.keys, options.error);
        } else if (name == "--size") {
            if (!readSize(value, options.width, options.height))
                options.error = "--size takes WIDTHxHEIGHT in pixels, such as 1024x768, not '" + value + "'";
        } else if (value.empty()) {
            options.error = name + " needs a path";
        } else {
            (name == "--out" ? options.out : options.pictures) = value;
        }
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
        "                    larger than the offscreen surface is drawn in tiles\n"
        "  --aspect A        4:3 (the default) stretches the program's 4:3 view over the\n"
        "                    picture whatever its shape; window takes the picture's own\n"
        "                    proportions with the same height of view, so a wide picture\n"
        "                    shows more of the world to the sides\n"
        "  --out FILE        the PNG file to write (default florvane-snapshot.png); it is\n"
        "                    replaced only once the new picture is complete\n"
        "  --pictures DIR    folder of the twelve pictures (default: the one the build or the\n"
        "                    installation puts beside the tool)\n"
        "  --help            show this help and exit\n"
        "  --version         show the version and exit\n"
        "\n"
        "The world starts in the night and the sun rises after about 100 ticks, so without F8\n"
        "the picture shows the night. The status line of a key command stays for 100 frames.\n"
        "On a terminal, standard error shows the ticks' progress.\n"
        "\n",
        stream);
    printKeyTable(stream);
    std::fputs(
        "\n"
        "Exit status: 0 when the picture was written; 1 when it could not be made (no GL, an\n"
        "output that cannot be written, a missing picture, no glyphs for a status line the\n"
        "picture shows); 2 for wrong arguments, a size larger than the GL can draw included.\n",
        stream);
}
